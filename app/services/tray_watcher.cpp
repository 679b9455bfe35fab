#include "app/services/tray_watcher.h"

#include <QMessageBox>

#include "app/services/notice.h"
#include "core/program/texts.h"

namespace orbel {

namespace {
QString NoTrayText() { return QString::fromUtf8(texts::NoTrayNotice); }
}  // namespace

TrayWatcher::TrayWatcher(Clock& clock, const Notices& notices, std::function<bool()> trayAvailable, QObject* parent)
    : QObject(parent), grace_(clock, this), notices_(notices), trayAvailable_(std::move(trayAvailable)) {
    grace_.setSingleShot(true);
    grace_.setInterval(GraceMs);
    connect(&grace_, &Timer::timeout, this, &TrayWatcher::graceOver);
}

void TrayWatcher::start() { grace_.start(); }

void TrayWatcher::graceOver() {
    if (told_ || trayAvailable_()) return;
    told_ = true;
    // Modeless: the program goes on waiting for a tray behind it.
    box_ = notices_.ShowPassing(NoTrayText(), "NoTrayNotice");
}

void TrayWatcher::trayAvailabilityChanged(bool available) {
    if (available && box_) box_->close();
}

}  // namespace orbel
