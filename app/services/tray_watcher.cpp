#include "app/services/tray_watcher.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/services/notice.h"
#include "core/shell/texts.h"

namespace orbel {

namespace {
QString NoTrayText() { return QString::fromUtf8(texts::NoTrayNotice); }

// The notice's own box, found by its text: another box shown beside it is
// left alone.
QMessageBox* NoticeBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->text() == NoTrayText())
            return box;
    return nullptr;
}
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
    // Once the box is up it gets the name it has always had.
    QTimer::singleShot(0, this, [] {
        if (QMessageBox* box = NoticeBox()) box->setObjectName("NoTrayNotice");
    });
    ShowNotice(NoTrayText());
    showing_ = false;
}

void TrayWatcher::trayAvailabilityChanged(bool available) {
    if (!available || !showing_) return;
    if (QMessageBox* box = NoticeBox()) box->close();
}

}  // namespace orbel
