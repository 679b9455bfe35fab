#pragma once
// The watch for a notification area after start-up: a panel started with
// the session may come a moment after the program, so the program says
// once, and only after a grace time, that there is none; the box goes away
// when a tray arrives.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>

#include "app/services/clock.h"

namespace orbel {

class Notices;

class TrayWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int GraceMs = 3000;

    // trayAvailable: whether the desktop offers a tray now.
    TrayWatcher(Clock& clock, const Notices& notices, std::function<bool()> trayAvailable, QObject* parent = nullptr);

    // Begins the grace time.
    void start();
    // What the tray icon reports when a tray comes or goes.
    void trayAvailabilityChanged(bool available);

private:
    void graceOver();

    Timer grace_;
    const Notices& notices_;
    std::function<bool()> trayAvailable_;
    bool told_ = false;
    QPointer<QMessageBox> box_;
};

}  // namespace orbel
