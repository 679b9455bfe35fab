#include "app/widgets/sys_tray_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

namespace orbel {

TSysTrayIcon::TSysTrayIcon(QObject* owner) : QObject(owner), tray_(new QSystemTrayIcon(this)) {
    cycleTimer_.setInterval(0);
    connect(&cycleTimer_, &QTimer::timeout, this, &TSysTrayIcon::cycleStep);
    connect(tray_, &QSystemTrayIcon::activated, this, &TSysTrayIcon::handleActivation);
    // Qt re-embeds a visible icon by itself when the notification area comes
    // back (a restarted tray host), which is what the icon must do then.
}

TSysTrayIcon::~TSysTrayIcon() { tray_->hide(); }

void TSysTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    RefreshTrayIcon();
}

void TSysTrayIcon::setShowHint(bool on) {
    showHint_ = on;
    RefreshTrayIcon();
}

void TSysTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    RefreshTrayIcon();
}

void TSysTrayIcon::setIconVisible(bool on) {
    if (on) AddTrayIcon();
    else RemoveTrayIcon();
}

void TSysTrayIcon::setIconList(const QList<QIcon>& list) {
    iconList_ = list;
    setIconIndex(0);
}

void TSysTrayIcon::setIconIndex(int index) {
    if (!iconList_.isEmpty()) {
        // Only the upper bound is applied, as the component always did.
        if (index >= iconList_.size()) index = static_cast<int>(iconList_.size()) - 1;
        iconIndex_ = index;
        if (index >= 0) icon_ = iconList_.at(index);
    } else {
        iconIndex_ = 0;
    }
    RefreshTrayIcon();
}

void TSysTrayIcon::setCycleIcons(bool on) {
    cycleIcons_ = on;
    if (on) setIconIndex(0);
    if (on) cycleTimer_.start();
    else cycleTimer_.stop();
}

void TSysTrayIcon::setCycleInterval(unsigned ms) {
    cycleInterval_ = ms;
    cycleTimer_.setInterval(static_cast<int>(ms));
}

QString TSysTrayIcon::tipText() const {
    if (hint_.isEmpty() || !showHint_) return {};
    return hint_.left(MaxTipLength);
}

void TSysTrayIcon::Loaded() {
    RefreshTrayIcon();
    if (iconVisible_) AddTrayIcon();
}

void TSysTrayIcon::AddTrayIcon() {
    iconVisible_ = true;
    RefreshTrayIcon();
    tray_->show();
}

void TSysTrayIcon::RemoveTrayIcon() {
    iconVisible_ = false;
    tray_->hide();
}

void TSysTrayIcon::RefreshTrayIcon() {
    tray_->setIcon(icon_);
    tray_->setToolTip(tipText());
}

void TSysTrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason) {
    if (!enabled_) return;
    const QPoint pos = QCursor::pos();
    const Qt::KeyboardModifiers shift = QGuiApplication::queryKeyboardModifiers();
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit OnMouseDown(this, Qt::LeftButton, shift, pos.x(), pos.y());
        clicked_ = true;
        if (leftPopup_) ShowTrayMenu();
        // The notification area reports presses only: the release follows
        // at once, as the click the press begins.
        if (clicked_) {
            clicked_ = false;
            emit OnClick(this);
        }
        emit OnMouseUp(this, Qt::LeftButton, shift, pos.x(), pos.y());
        break;
    case QSystemTrayIcon::Context:
        emit OnMouseDown(this, Qt::RightButton, shift, pos.x(), pos.y());
        ShowTrayMenu();
        emit OnMouseUp(this, Qt::RightButton, shift, pos.x(), pos.y());
        break;
    case QSystemTrayIcon::MiddleClick:
        emit OnMouseDown(this, Qt::MiddleButton, shift, pos.x(), pos.y());
        emit OnMouseUp(this, Qt::MiddleButton, shift, pos.x(), pos.y());
        break;
    case QSystemTrayIcon::DoubleClick:
        emit OnDblClick(this);
        break;
    default:
        break;
    }
}

void TSysTrayIcon::ShowTrayMenu() {
    if (!popupMenu_) return;
    const QPoint pos = QCursor::pos();
    // The program's own popup, not a menu handed to the desktop shell, so
    // its own drawing applies.
    popupMenu_->popup(pos);
    popupMenu_->activateWindow();
    emit menuShown(pos);
}

void TSysTrayIcon::cycleStep() {
    if (iconList_.isEmpty()) return;
    if (iconIndex_ >= 0 && iconIndex_ < iconList_.size()) icon_ = iconList_.at(iconIndex_);
    const int next = iconIndex_ + 1 < iconList_.size() ? iconIndex_ + 1 : 0;
    emit OnCycle(this, next);
    RefreshTrayIcon();
    iconIndex_ = next;
}

}  // namespace orbel
