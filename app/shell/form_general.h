#pragma once
// The hidden main window: it owns the tray icon, the application-events
// object and the wave player; it writes the error log and plays sounds.

#include <QObject>
#include <QWidget>
#include <exception>

namespace orbel {

class TSysTrayIcon;
namespace platform { class WavePlayer; }

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
    TFormGeneral();

    TSysTrayIcon* CSystrayGen;
    TApplicationEvents* AEGeneral;
    platform::WavePlayer* MPAudioGen;

    void WriteErrorLog(const QString& message);
    void PlaySystemSound(const QString& name, SoundPlace place);
    // Every error that escapes an event handler while the loop runs.
    void AEGeneralException(QObject* sender, const std::exception* error);
    void AEGeneralHint(const QString& hint);

    // Settings: read at start-up and applied to the windows.
    void LoadSettings();
    void ApplySettings();
};

}  // namespace orbel
