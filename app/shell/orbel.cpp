// Process entry: create the windows in their order, guard against a second
// instance, start up and run the one message loop.

#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/services/notice.h"
#include "app/shell/orbel_application.h"
#include "app/shell/program.h"
#include "app/store/image_lists.h"
#include "core/shell/texts.h"

int main(int argc, char** argv) {
    orbel::OrbelApplication app(argc, argv);
    // The hidden main window never shows, and closing a dialog never ends the program.
    app.setQuitOnLastWindowClosed(false);
    // Desktops group the windows under the launcher when the Wayland app id
    // and the X11 class name it, and show the program's picture for them.
    app.setApplicationName(QString::fromUtf8(orbel::texts::DesktopId));
    app.setDesktopFileName(QString::fromUtf8(orbel::texts::DesktopId));
    app.setWindowIcon(orbel::ImageLists::WindowIcon());
    orbel::SetApplicationTitle(QString::fromUtf8(orbel::texts::ProductName));
    try {
        orbel::Program program;
        program.setItemTreeWhenShown(true);
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
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            orbel::ShowNotice(QString::fromUtf8(orbel::texts::ProductName) + " can not start.\r\n\r\n" +
                                  QString::fromStdString(e.what()),
                              orbel::NoticeIcon::Warning, orbel::NoticeButtons::Ok);
        return 1;
    }
}
