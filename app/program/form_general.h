#pragma once
// The hidden main window: it owns the tray icon and the application-events
// object, and handles what the application reports: hints, activation and
// the errors that escape the event handlers.

#include <QObject>
#include <QWidget>
#include <exception>

namespace orbel {

class Clock;
class ErrorLog;
struct Services;
class TFormAbout;
class TFormConfig;
class TFormItems;
class TitlePainter;
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

// What the hidden main window asks of the program that owns it.
class GeneralHost {
public:
    virtual Clock& clock() const = 0;
    virtual const Services& services() const = 0;
    virtual ErrorLog& errorLog() = 0;
    virtual TitlePainter& titles() = 0;
    virtual const QString& crashMessage() const = 0;
    virtual void ShowFind(const QString& text) = 0;
    virtual void requestEnd(int exitCode) = 0;
    // The dialogs whose titles it repaints and whose hints it shows; null
    // until they are made.
    virtual TFormItems* items() const = 0;
    virtual TFormConfig* config() const = 0;
    virtual TFormAbout* about() const = 0;

protected:
    ~GeneralHost() = default;
};

class TFormGeneral : public QWidget {
    Q_OBJECT
public:
    // The program whose windows and error log it serves.
    explicit TFormGeneral(GeneralHost& program);
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
    GeneralHost& program_;
    QMetaObject::Connection activateHook_;
};

}  // namespace orbel
