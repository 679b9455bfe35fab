// Platform tests need a running application object: icons, fonts, sounds
// and the desktop services all ask it.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/opener.h"
#include "platform/system_info.h"

#include <memory>
#include <string_view>

int main(int argc, char** argv) {
    // The opener tests run OpenPath in a child under a desktop of their own,
    // since GIO reads the desktop's applications once per process.
    if (argc == 3 && std::string_view(argv[1]) == "--open")
        return orbel::platform::OpenPath(argv[2], "", orbel::platform::ShowMode::Normal) ? 0 : 1;
    // No test here needs a real display; the build also runs this binary
    // to list the tests, without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const std::unique_ptr<orbel::SystemCalls> calls = orbel::platform::MakeSystemCalls();
    const orbel::ScopedSystemCalls installed(*calls);
    return RUN_ALL_TESTS();
}
