// Process entry: read the options, create the windows in their order,
// guard against a second instance, start up and run the one message loop.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/services/notice.h"
#include "app/program/orbel_application.h"
#include "app/program/program.h"
#include "app/program/remote_requests.h"
#include "app/images/image_lists.h"
#include "core/program/command_line.h"
#include "core/program/texts.h"
#include "platform/platform.h"

namespace {

// A start with a request when the program runs: hand it over and end. The
// lock is held here otherwise, for the start-up that follows.
std::unique_ptr<orbel::platform::InstanceLock> HandOver(orbel::platform::Platform& platform,
                                                        const orbel::CommandRequest& request, int argc, char** argv,
                                                        int* exitCode) {
    using orbel::platform::InstanceLock;
    std::unique_ptr<InstanceLock> lock = platform.MakeInstanceLock(std::string(orbel::texts::InstanceName));
    switch (lock->acquire()) {
    case InstanceLock::Result::Acquired: return lock;
    // The guard tries again and reports it as without a request.
    case InstanceLock::Result::Failed: return nullptr;
    case InstanceLock::Result::HeldElsewhere: break;
    }
    // No windows, no display: only the bus and the socket.
    QCoreApplication core(argc, argv);
    QString error;
    if (orbel::SendRequest(request, QString::fromStdString(lock->channelName()), &error)) {
        *exitCode = 0;
    } else {
        std::fprintf(stderr, "orbel: the running program did not take the request: %s\n", qPrintable(error));
        *exitCode = 1;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Help and mistakes are answered before anything else: without a
    // display, and without a word to a running program.
    const orbel::CommandLine line = orbel::ParseCommandLine(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (!line.error.empty()) {
        std::fprintf(stderr, "orbel: %s\n", line.error.c_str());
        return 2;
    }
    if (line.request.kind == orbel::RequestKind::Help) {
        std::fputs(orbel::CommandHelpText().c_str(), stdout);
        return 0;
    }
    // Every call to the system goes through this one object, made here.
    const std::unique_ptr<orbel::platform::Platform> platform = orbel::platform::MakeSystemPlatform();
    std::unique_ptr<orbel::platform::InstanceLock> lock;
    if (line.request.kind != orbel::RequestKind::None) {
        int exitCode = -1;
        lock = HandOver(*platform, line.request, argc, argv, &exitCode);
        if (exitCode >= 0) return exitCode;
    }
    orbel::OrbelApplication app(argc, argv);
    // The hidden main window never shows, and closing a dialog never ends the program.
    app.setQuitOnLastWindowClosed(false);
    // Desktops group the windows under the launcher when the Wayland app id
    // and the X11 class name it, and show the program's picture for them.
    app.setApplicationName(QString::fromUtf8(orbel::texts::DesktopId));
    app.setDesktopFileName(QString::fromUtf8(orbel::texts::DesktopId));
    app.setWindowIcon(orbel::ImageLists::WindowIcon());
    try {
        orbel::Program program(*platform);
        program.setItemTreeWhenShown(true);
        program.setStartRequest(line.request);
        if (lock) program.adoptInstanceLock(std::move(lock));
        program.createWindows();
        // The new windows' posted layout and polish requests run before
        // start-up measures their texts.
        QCoreApplication::processEvents();
        program.GuardSingleInstance();
        if (program.continueFlag()) program.StartUp();
        if (program.endRequested()) return 0;
        app.setLoopRunning(true);
        return app.exec();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbel: start-up failed: %s\n", e.what());
        // Started from a menu, nobody reads standard error: say it on screen
        // too, wherever there is a screen.
        const QString screen = QGuiApplication::platformName();
        if (screen != QLatin1String("offscreen") && screen != QLatin1String("minimal"))
            orbel::Notices(QString::fromUtf8(orbel::texts::ProductName))
                .Show(QString::fromUtf8(orbel::texts::ProductName) + " can not start.\r\n\r\n" +
                          QString::fromStdString(e.what()),
                      orbel::NoticeIcon::Warning, orbel::NoticeButtons::Ok);
        return 1;
    }
}
