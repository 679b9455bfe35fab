#pragma once
// The hidden main window: it owns the tray icon, the application-events
// object and the wave player; it writes the error log and plays sounds.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>
#include <string>
#include <memory>

namespace orbel {

class Program;
class TSysTrayIcon;
class TrayMenuExport;
namespace platform {
class WavePlayer;
}

enum class SoundPlace { WindowsDirectory, FullPath, None };

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
    // The program whose files, settings and windows it serves.
    explicit TFormGeneral(Program& program);
    ~TFormGeneral() override;

    TSysTrayIcon* CSystrayGen;
    TrayMenuExport* trayMenuExport;  // the tray menu as desktop hosts get it
    TApplicationEvents* AEGeneral;
    std::unique_ptr<platform::WavePlayer> MPAudioGen;

    void WriteErrorLog(const QString& message);
    void PlaySystemSound(const QString& name, SoundPlace place);
    // What plays a sound file, false when it cannot: the wave player unless
    // a test puts a recorder in its place.
    using SoundPlayer = std::function<bool(const std::string& file)>;
    void setSoundPlayer(SoundPlayer play) { playSound_ = std::move(play); }
    // Every error that escapes an event handler while the loop runs.
    void AEGeneralException(QObject* sender, const std::exception* error);
    void AEGeneralHint(const QString& hint);

    // Settings: read at start-up and after the preferences' OK, Apply and
    // Cancel; written by OK and Apply; applied to the dialogs.
    void LoadSettings();
    // Throws ProfileError when the settings file cannot be written (the
    // autostart entry is then left alone), and std::runtime_error when the
    // autostart entry cannot be written after the file was.
    void SaveSettings();
    void ApplySettings();
    void ReadAutostart();
    void WriteAutostart(bool on);
    // Around OK and Apply: open dialogs leave and come back with the new look.
    void HideOpenDialogs();
    void ShowHiddenDialogs();
    // The title painter of the program's own drawing.
    void PaintTitle(QWidget* window, const QString& title);
    // Application activated or deactivated, under the program's own drawing.
    void AEGeneralActivate();
    // After start-up: when no tray shows up soon, say so once; the box goes
    // away when one arrives.
    void WatchForTray();

private:
    void ShowNoTrayNotice();

    Program& program_;
    SoundPlayer playSound_;
    QMetaObject::Connection activateHook_;
    QPointer<QWidget> noTrayBox_;
    bool noTrayTold_ = false;
};

}  // namespace orbel
