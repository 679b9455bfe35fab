#pragma once
// The hidden main window: it owns the tray icon and the application-events
// object, and handles what the application reports: hints, activation and
// the errors that escape the event handlers.

#include <QObject>
#include <QWidget>
#include <exception>

namespace orbel {

class Program;
class TSysTrayIcon;
class TrayMenuExport;

// The application's events: hints, activation, errors.
class TApplicationEvents : public QObject {
    Q_OBJECT
public:
    explicit TApplicationEvents(QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;
signals:
    void OnHint(const QString& hint);
};

class TFormGeneral : public QWidget {
    Q_OBJECT
public:
    // The program whose windows and error log it serves.
    explicit TFormGeneral(Program& program);
    ~TFormGeneral() override;

    TSysTrayIcon* CSystrayGen;
    TrayMenuExport* trayMenuExport;  // the tray menu as desktop hosts get it
    TApplicationEvents* AEGeneral;

    // Every error that escapes an event handler while the loop runs.
    void AEGeneralException(QObject* sender, const std::exception* error);
    void AEGeneralHint(const QString& hint);
    // Application activated or deactivated, under the program's own drawing.
    void AEGeneralActivate();
    // Whether activation repaints the dialogs' titles (the program's own
    // drawing); the settings decide.
    void setActivationRepaint(bool on);

private:
    Program& program_;
    QMetaObject::Connection activateHook_;
};

}  // namespace orbel
