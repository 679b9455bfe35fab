#pragma once
// The notification-area icon as a component: properties and events, the
// Enabled gate, and the popup menu opened at the pointer on a button press.
// The icon goes to whichever tray the desktop offers, and moves when trays
// come and go: a StatusNotifierItem host on the session bus (preferred, it
// also shows the exported menu) or an XEmbed tray on X11; on a system with
// one tray of its own (Windows) the toolkit's icon.

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <QMenu>

#include "app/services/clock.h"
#include "core/tray/menu_export.h"

namespace orbel {

namespace platform {
class Platform;
}
class StatusNotifierItem;

class TSysTrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxTipLength = 127;

    // The poll for a tray and the icon cycle run on the clock; the platform
    // says whether the display has an XEmbed tray.
    TSysTrayIcon(QObject* owner, Clock& clock, platform::Platform& platform);
    ~TSysTrayIcon() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    QString Hint() const { return hint_; }
    void setHint(const QString& hint);
    bool ShowHint() const { return showHint_; }
    void setShowHint(bool on);
    QIcon Icon() const { return icon_; }
    void setIcon(const QIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    void setIconVisible(bool on);
    QList<QIcon> IconList() const { return iconList_; }
    void setIconList(const QList<QIcon>& list);
    int IconIndex() const { return iconIndex_; }
    void setIconIndex(int index);
    bool CycleIcons() const { return cycleIcons_; }
    void setCycleIcons(bool on);
    unsigned CycleInterval() const { return cycleInterval_; }
    void setCycleInterval(unsigned ms);
    QMenu* PopupMenu() const { return popupMenu_; }
    void setPopupMenu(QMenu* menu);
    bool LeftPopup() const { return leftPopup_; }
    void setLeftPopup(bool on) { leftPopup_ = on; }
    bool StartMinimized() const { return startMinimized_; }
    void setStartMinimized(bool on) { startMinimized_ = on; }
    bool MinimizeToTray() const { return minimizeToTray_; }
    void setMinimizeToTray(bool on) { minimizeToTray_ = on; }

    // The tooltip as the notification area gets it.
    QString tipText() const;
    // The XEmbed icon (made when first needed; its first showing fixes
    // which tray Qt uses, so it is shown only when no D-Bus host exists).
    QSystemTrayIcon* platformIcon();
    StatusNotifierItem* statusNotifierItem() const { return sni_; }

    // The name desktop hosts show for the item.
    void setTitle(const QString& title);
    // The object that serves the exported menu on the session bus.
    void setMenuObject(QObject* menu);
    // Where the icon is now, and whether the desktop has any tray at all.
    TrayBackend backend() const { return backend_; }
    bool trayAvailable() const { return available_; }
    // Hosts that show the exported menu on every press (Wayland): presses
    // reported to the program open nothing of its own.
    bool menuOnHost() const { return menuOnHost_; }

    // Dispatch of what the notification area reports (public for tests:
    // a press arrives here exactly as from the desktop).
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

    // After the stored properties are set: shows the icon when visible.
    void Loaded();

    void AddTrayIcon();
    void RemoveTrayIcon();
    void RefreshTrayIcon();
    void ShowTrayMenu();

signals:
    void OnClick(QObject* sender);
    void OnDblClick(QObject* sender);
    void OnMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int x, int y);
    void OnCycle(QObject* sender, int nextIndex);
    // Raised after the menu was asked to show at a point (tests watch it).
    void menuShown(QPoint at);
    void enabledChanged(bool on);
    void popupMenuChanged(QMenu* menu);
    // A tray appeared where there was none, or the last one went.
    void trayAvailabilityChanged(bool available);
    // A host that draws the menu itself asked for the program (GNOME's
    // double press on Wayland): gated by Enabled like the menu.
    void hostActivated();

private:
    void cycleStep();
    void placeIcon();

    platform::Platform& platform_;
    QSystemTrayIcon* tray_ = nullptr;
    StatusNotifierItem* sni_;
    Timer hostPoll_;
    TrayBackend backend_ = TrayBackend::None;
    bool available_ = false;
    bool menuOnHost_ = false;
    Timer cycleTimer_;
    QPointer<QMenu> popupMenu_;
    QIcon icon_;
    QString hint_;
    QList<QIcon> iconList_;
    bool enabled_ = true;
    bool showHint_ = true;
    bool iconVisible_ = true;
    bool cycleIcons_ = false;
    bool leftPopup_ = false;
    bool startMinimized_ = false;
    bool minimizeToTray_ = false;
    bool clicked_ = false;
    int iconIndex_ = 0;
    unsigned cycleInterval_ = 0;
};

}  // namespace orbel
