#include "app/widgets/sys_tray_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

#include "app/widgets/status_notifier_item.h"
#include "platform/platform.h"

namespace orbel {

namespace {
bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// Windows and macOS have one tray of their own, which Qt's icon serves.
TraySystem CurrentTraySystem() {
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("xcb")) return TraySystem::X11;
    if (name == QLatin1String("windows") || name == QLatin1String("cocoa")) return TraySystem::Native;
    return TraySystem::DBusOnly;
}
}  // namespace

TSysTrayIcon::TSysTrayIcon(QObject* owner, Clock& clock, platform::Platform& platform)
    : QObject(owner),
      platform_(platform),
      sni_(new StatusNotifierItem(clock, this)),
      hostPoll_(clock, nullptr),
      cycleTimer_(clock, nullptr) {
    cycleTimer_.setInterval(0);
    connect(&cycleTimer_, &Timer::timeout, this, &TSysTrayIcon::cycleStep);
    // A Wayland client cannot place a popup at the pointer: there the host
    // shows the exported menu on either button.
    menuOnHost_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    sni_->setItemIsMenu(menuOnHost_);
    connect(sni_, &StatusNotifierItem::hostPresenceChanged, this, &TSysTrayIcon::placeIcon);
    connect(sni_, &StatusNotifierItem::activateRequested, this, [this] {
        if (!menuOnHost_) handleActivation(QSystemTrayIcon::Trigger);
        // Where the host draws the menu, it activates only on a double press.
        else if (enabled_) emit hostActivated();
    });
    connect(sni_, &StatusNotifierItem::contextMenuRequested, this, [this] {
        if (!menuOnHost_) handleActivation(QSystemTrayIcon::Context);
    });
    connect(sni_, &StatusNotifierItem::secondaryActivateRequested, this, [this] {
        if (!menuOnHost_) handleActivation(QSystemTrayIcon::MiddleClick);
    });
    // An XEmbed tray announces itself only to clients watching the root
    // window; asking for the selection owner now and then is simpler and
    // catches a tray that comes, goes or restarts.
    if (OnX11()) {
        hostPoll_.setInterval(1000);
        connect(&hostPoll_, &Timer::timeout, this, &TSysTrayIcon::placeIcon);
        hostPoll_.start();
    }
}

TSysTrayIcon::~TSysTrayIcon() {
    // The item goes with its connection, closed by its own destructor.
    if (tray_) tray_->hide();
}

QSystemTrayIcon* TSysTrayIcon::platformIcon() {
    if (!tray_) {
        tray_ = new QSystemTrayIcon(this);
        connect(tray_, &QSystemTrayIcon::activated, this, &TSysTrayIcon::handleActivation);
        tray_->setIcon(icon_);
        tray_->setToolTip(tipText());
    }
    return tray_;
}

void TSysTrayIcon::setEnabled(bool on) {
    enabled_ = on;
    emit enabledChanged(on);
}

void TSysTrayIcon::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    emit popupMenuChanged(menu);
}

void TSysTrayIcon::setTitle(const QString& title) { sni_->setTitle(title); }

void TSysTrayIcon::setMenuObject(QObject* menu) { sni_->setMenuObject(menu); }

void TSysTrayIcon::placeIcon() {
    const TraySystem system = CurrentTraySystem();
    // Until the desktop's watcher has answered, nothing is shown: Qt's icon,
    // once made while a host is there, puts an item of its own on the bus
    // beside ours (and keeps to that kind of tray for good).
    if (system == TraySystem::X11 && !sni_->hostKnown()) return;
    const bool xembed = system == TraySystem::X11 && platform_.XEmbedTrayPresent();
    bool host = sni_->hostPresent();
    // For the same reason the watcher is asked again right before Qt's icon
    // is first made (a host may have come a moment ago): Qt asks it too.
    if (!tray_ && !host && xembed && iconVisible_) host = sni_->askHostNow();
    const TrayBackend offered = ChooseTrayBackend(system, host, xembed);
    const TrayBackend want = iconVisible_ ? offered : TrayBackend::None;
    if (want != backend_) {
        // Out of the old tray first: the icon is never shown twice.
        if (backend_ == TrayBackend::StatusNotifier) sni_->hide();
        if (backend_ == TrayBackend::XEmbed || backend_ == TrayBackend::Native) tray_->hide();
        backend_ = want;
        if (want == TrayBackend::StatusNotifier) sni_->show();
        // Qt re-embeds a shown icon by itself when the XEmbed tray restarts.
        if (want == TrayBackend::XEmbed || want == TrayBackend::Native) platformIcon()->show();
    }
    const bool available = offered != TrayBackend::None;
    if (available != available_) {
        available_ = available;
        emit trayAvailabilityChanged(available);
    }
}

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
    placeIcon();
}

void TSysTrayIcon::RemoveTrayIcon() {
    iconVisible_ = false;
    placeIcon();
}

void TSysTrayIcon::RefreshTrayIcon() {
    if (tray_) {
        tray_->setIcon(icon_);
        tray_->setToolTip(tipText());
    }
    sni_->setIcon(icon_);
    sni_->setToolTip(tipText());
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
        // The notification area reports the second press of a quick pair
        // as the double click alone. That press opens the menu as any other
        // does: after a press that opened nothing (during a reload) or a
        // menu closed at once, the next press must not be lost.
        if (leftPopup_) ShowTrayMenu();
        break;
    default: break;
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
