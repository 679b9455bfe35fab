#pragma once
// The icon as a StatusNotifierItem on the session bus (org.kde), for the
// tray hosts of today's desktops, and the watch for such a host: it comes,
// goes and comes back with the panel that provides it. The item is known to
// the watcher by its connection's unique name (no well-known name to look
// up: GNOME's host loses items it has to resolve one for), and a connection
// of its own carries it, so hiding it is closing that connection. Where
// there is no session bus (Windows) the build puts in an item that never
// finds a host.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <thread>

#include "app/services/clock.h"
#include "app/widgets/status_notifier_source.h"

class QDBusConnection;
class QDBusServiceWatcher;

namespace orbel {

class StatusNotifierItem : public QObject, public StatusNotifierSource {
    Q_OBJECT
public:
    // Its checks and retries run on clock.
    explicit StatusNotifierItem(Clock& clock, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Whether a session bus is there at all (known once connected).
    bool usable() const;
    // A host is registered with the desktop's watcher: the item would show.
    bool hostPresent() const { return hostPresent_; }
    // The first answer to that is in (or there is no bus to ask): until
    // then no other tray is chosen either.
    bool hostKnown() const { return hostKnown_; }
    // Asks the watcher now, waiting briefly for the answer, and keeps it
    // (without hostPresenceChanged): for a choice that cannot wait.
    bool askHostNow();

    void setTitle(const QString& title);
    void setIcon(const QIcon& icon);
    void setToolTip(const QString& text);
    // On hosts that show the menu themselves on every press (Wayland).
    void setItemIsMenu(bool on) { itemIsMenu_ = on; }
    // The object serving com.canonical.dbusmenu for this item.
    void setMenuObject(QObject* menu);

    // Puts the item on the bus and registers it with the watcher; taken
    // off again by hide (the host drops an item whose name goes).
    void show();
    void hide();
    bool shown() const { return shown_; }

    // What the adaptor reads and asks for.
    QString title() const override { return title_; }
    QString toolTipText() const override { return toolTip_; }
    bool itemIsMenu() const override { return itemIsMenu_; }
    // Drawn when a host first asks, not for every icon set.
    SniPixmapList pixmaps() const override;
    QString menuPath() const override;
    void answer(const QDBusMessage& reply) const override;
    bool calledByGnomeShell(const QDBusMessage& call) const override;
    void requestActivate(int x, int y) override { emit activateRequested(x, y); }
    void requestContextMenu(int x, int y) override { emit contextMenuRequested(x, y); }
    void requestSecondaryActivate(int x, int y) override { emit secondaryActivateRequested(x, y); }

signals:
    // Also raised once when the first answer comes, whatever it is.
    void hostPresenceChanged(bool present);
    // What the host asks: coordinates are the host's, often zero.
    void activateRequested(int x, int y);
    void contextMenuRequested(int x, int y);
    void secondaryActivateRequested(int x, int y);

private slots:
    void hostSignal();
    void itemUnregistered(const QString& item);

private:
    QDBusConnection bus() const;
    // The connection is there (or failed): watch the watcher on it.
    void attach(bool connected);
    QDBusMessage hostQuestion() const;
    void queryHost();
    void setHostPresent(bool on);
    void registerWithWatcher();
    // Whether the watcher still lists the item; registers it again if not.
    void checkRegistered();

    QDBusServiceWatcher* watcher_ = nullptr;
    QPointer<QObject> menu_;
    QString connection_;
    unsigned connections_ = 0;
    Timer check_;
    Timer retry_;
    int retries_ = 0;
    QString title_;
    QString toolTip_;
    QIcon icon_;
    mutable SniPixmapList pixmaps_;
    mutable bool pixmapsMade_ = false;
    bool itemIsMenu_ = false;
    bool hostPresent_ = false;
    bool hostKnown_ = false;
    bool shown_ = false;
    bool objectsRegistered_ = false;
    unsigned queries_ = 0;
    bool showWanted_ = false;
    std::thread connecting_;
};

}  // namespace orbel
