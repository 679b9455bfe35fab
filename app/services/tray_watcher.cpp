#include "app/services/tray_watcher.h"

#include <QApplication>
#include <QMessageBox>

#include "app/services/notice.h"
#include "core/shell/texts.h"

namespace orbel {

namespace {
QString NoTrayText() { return QString::fromUtf8(texts::NoTrayNotice); }
}  // namespace

TrayWatcher::TrayWatcher(Clock& clock, std::function<bool()> trayAvailable, QObject* parent)
    : QObject(parent), grace_(clock, this), trayAvailable_(std::move(trayAvailable)) {
    grace_.setSingleShot(true);
    grace_.setInterval(GraceMs);
    connect(&grace_, &Timer::timeout, this, &TrayWatcher::graceOver);
}

void TrayWatcher::start() { grace_.start(); }

void TrayWatcher::graceOver() {
    if (told_ || trayAvailable_()) return;
    told_ = true;
    // The box waits for its OK while the loop goes on placing the icon.
    showing_ = true;
    ShowNotice(NoTrayText());
    showing_ = false;
}

void TrayWatcher::trayAvailabilityChanged(bool available) {
    if (!available || !showing_) return;
    // The box is the notice's own, found by its text: another box shown
    // over it in the meantime stays.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->text() == NoTrayText())
            box->close();
}

}  // namespace orbel
