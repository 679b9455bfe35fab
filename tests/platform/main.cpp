// Platform tests need a running application object: icons, fonts, sounds
// and the desktop services all ask it.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/system_info.h"

int main(int argc, char** argv)
{
    // No test here needs a real display; the build also runs this binary
    // to list the tests, without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    orbel::platform::InstallPlatformHooks();
    return RUN_ALL_TESTS();
}
