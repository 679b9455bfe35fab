// The floor of the start-up comparison: a Qt program with nothing but a
// tray icon and a three-entry menu, timed by scripts/bench-startup.sh like
// the program itself.

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap picture(16, 16);
    picture.fill(Qt::darkBlue);
    QSystemTrayIcon tray;
    tray.setIcon(QIcon(picture));
    QMenu menu;
    menu.addAction("Item");
    menu.addSeparator();
    menu.addAction("Close", &app, &QApplication::quit);
    QObject::connect(&tray, &QSystemTrayIcon::activated, [&menu](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger) menu.popup(QCursor::pos());
    });
    tray.show();
    return app.exec();
}
