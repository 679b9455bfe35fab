#include "app/widgets/status_notifier_item.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QtEndian>
#include <algorithm>

#include "app/widgets/status_notifier_adaptor.h"

namespace orbel {

namespace {
const char* kWatcher = "org.kde.StatusNotifierWatcher";
const char* kWatcherPath = "/StatusNotifierWatcher";
const char* kItemPath = "/StatusNotifierItem";
const char* kMenuPath = "/MenuBar";

// Whether a watcher's entry names the item of this unique name: watchers
// keep "name", "name/path" (KDE) or "name@path" (GNOME).
bool NamesItem(const QString& entry, const QString& unique) {
    if (!entry.startsWith(unique)) return false;
    return entry.size() == unique.size() || entry.at(unique.size()) == u'/' || entry.at(unique.size()) == u'@';
}

QString NextConnectionName(unsigned& count) { return QStringLiteral("orbel-tray-%1").arg(++count); }
}  // namespace

StatusNotifierItem::StatusNotifierItem(Clock& clock, QObject* parent)
    : QObject(parent), check_(clock, nullptr), retry_(clock, nullptr) {
    new StatusNotifierItemAdaptor(this, this);
    check_.setSingleShot(true);
    connect(&check_, &Timer::timeout, this, &StatusNotifierItem::checkRegistered);
    retry_.setSingleShot(true);
    connect(&retry_, &Timer::timeout, this, [this] {
        if (shown_ && watcher_) registerWithWatcher();
    });
    // Connecting takes round trips to the bus daemon: they run on a thread
    // of their own while start-up goes on, and the item takes the bus up
    // on this thread once it is there.
    connection_ = NextConnectionName(connections_);
    connecting_ = std::thread([this, name = connection_] {
        const bool connected = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name).isConnected();
        QMetaObject::invokeMethod(
            this, [this, connected] { attach(connected); }, Qt::QueuedConnection);
    });
}

StatusNotifierItem::~StatusNotifierItem() {
    // An answer still queued goes with the object.
    if (connecting_.joinable()) connecting_.join();
    delete watcher_;
    // Hosts drop the item with its connection.
    QDBusConnection::disconnectFromBus(connection_);
}

QDBusConnection StatusNotifierItem::bus() const { return QDBusConnection(connection_); }

QString StatusNotifierItem::menuPath() const { return menu_ ? QString::fromLatin1(kMenuPath) : QString(); }

void StatusNotifierItem::answer(const QDBusMessage& reply) const { bus().send(reply); }

bool StatusNotifierItem::calledByGnomeShell(const QDBusMessage& call) const {
    QDBusConnectionInterface* names = bus().interface();
    if (!names) return false;
    const QDBusReply<QString> owner = names->serviceOwner(QStringLiteral("org.gnome.Shell"));
    return owner.isValid() && owner.value() == call.service();
}

void StatusNotifierItem::attach(bool connected) {
    if (connecting_.joinable()) connecting_.join();
    if (!connected) {
        // No bus: no host will come, other trays may be used at once.
        setHostPresent(false);
        return;
    }
    QDBusConnection bus = this->bus();
    // The watcher belongs to the panel: it starts late, restarts, or stops.
    watcher_ = new QDBusServiceWatcher(
        QString::fromLatin1(kWatcher), bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        queryHost();
        if (shown_) registerWithWatcher();
    });
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        check_.stop();
        setHostPresent(false);
    });
    // Hosts come and go while the watcher stays (a panel's tray plugin).
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(QString(), QString::fromLatin1(kWatcherPath), QString::fromLatin1(kWatcher),
                    QString::fromLatin1(signal), this, SLOT(hostSignal()));
    // A watcher may drop the item while it is still there (GNOME's, when
    // it fails to read it): it has to be registered again.
    bus.connect(QString(), QString::fromLatin1(kWatcherPath), QString::fromLatin1(kWatcher),
                QStringLiteral("StatusNotifierItemUnregistered"), this, SLOT(itemUnregistered(QString)));
    queryHost();
    if (showWanted_) show();
}

bool StatusNotifierItem::usable() const { return watcher_ != nullptr; }

void StatusNotifierItem::hostSignal() { queryHost(); }

void StatusNotifierItem::itemUnregistered(const QString& item) {
    if (shown_ && NamesItem(item, bus().baseService())) checkRegistered();
}

QDBusMessage StatusNotifierItem::hostQuestion() const {
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(kWatcher), QString::fromLatin1(kWatcherPath),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
    m << QString::fromLatin1(kWatcher) << QStringLiteral("IsStatusNotifierHostRegistered");
    return m;
}

bool StatusNotifierItem::askHostNow() {
    if (!watcher_) return hostPresent_;
    const QDBusMessage reply = bus().call(hostQuestion(), QDBus::Block, 1000);
    ++queries_;  // answers still under way are older
    hostKnown_ = true;
    hostPresent_ = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                   qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    return hostPresent_;
}

void StatusNotifierItem::queryHost() {
    if (!watcher_) return;
    const unsigned query = ++queries_;
    auto* call = new QDBusPendingCallWatcher(bus().asyncCall(hostQuestion()), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, query] {
        call->deleteLater();
        if (query != queries_) return;  // a later question is on its way
        QDBusPendingReply<QDBusVariant> reply = *call;
        setHostPresent(!reply.isError() && reply.value().variant().toBool());
    });
}

void StatusNotifierItem::setHostPresent(bool on) {
    if (!on) ++queries_;  // an answer still under way is out of date
    const bool first = !hostKnown_;
    hostKnown_ = true;
    if (on == hostPresent_ && !first) return;
    hostPresent_ = on;
    emit hostPresenceChanged(on);
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(kWatcher), QString::fromLatin1(kWatcherPath),
                                                    QString::fromLatin1(kWatcher),
                                                    QStringLiteral("RegisterStatusNotifierItem"));
    // The item is at the usual path, so the unique name says all.
    m << bus().baseService();
    auto* call = new QDBusPendingCallWatcher(bus().asyncCall(m), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
        call->deleteLater();
        // A host reads the item after the answer and may drop it then:
        // look again once it had the time to.
        if (shown_) {
            check_.setInterval(call->isError() ? 0 : 2000);
            check_.start();
        }
    });
}

void StatusNotifierItem::checkRegistered() {
    check_.stop();
    if (!shown_ || !watcher_) return;
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(kWatcher), QString::fromLatin1(kWatcherPath),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
    m << QString::fromLatin1(kWatcher) << QStringLiteral("RegisteredStatusNotifierItems");
    auto* call = new QDBusPendingCallWatcher(bus().asyncCall(m), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
        call->deleteLater();
        if (!shown_) return;
        QDBusPendingReply<QDBusVariant> reply = *call;
        // No watcher now: its return registers the item again.
        if (reply.isError()) return;
        const QString unique = bus().baseService();
        for (const QString& entry : reply.value().variant().toStringList())
            if (NamesItem(entry, unique)) {
                retries_ = 0;
                return;
            }
        // Dropped: register again, less often the more it fails.
        retry_.setInterval(500 << std::min(retries_, 6));
        retry_.start();
        ++retries_;
    });
}

void StatusNotifierItem::setTitle(const QString& title) {
    title_ = title;
    if (auto* a = findChild<StatusNotifierItemAdaptor*>()) emit a->NewTitle();
}

void StatusNotifierItem::setToolTip(const QString& text) {
    if (text == toolTip_) return;
    toolTip_ = text;
    if (auto* a = findChild<StatusNotifierItemAdaptor*>()) emit a->NewToolTip();
}

void StatusNotifierItem::setIcon(const QIcon& icon) {
    icon_ = icon;
    pixmaps_.clear();
    pixmapsMade_ = false;
    if (auto* a = findChild<StatusNotifierItemAdaptor*>()) emit a->NewIcon();
}

SniPixmapList StatusNotifierItem::pixmaps() const {
    if (pixmapsMade_) return pixmaps_;
    pixmapsMade_ = true;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        const QImage img = icon_.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (img.isNull()) continue;
        SniPixmap p{img.width(), img.height(), QByteArray()};
        p.bytes.resize(qsizetype(img.width()) * img.height() * 4);
        auto* out = reinterpret_cast<quint32*>(p.bytes.data());
        for (int y = 0; y < img.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) *out++ = qToBigEndian(line[x]);
        }
        pixmaps_ << p;
    }
    return pixmaps_;
}

void StatusNotifierItem::setMenuObject(QObject* menu) {
    menu_ = menu;
    if (objectsRegistered_ && menu_)
        bus().registerObject(QString::fromLatin1(kMenuPath), menu_, QDBusConnection::ExportAdaptors);
}

void StatusNotifierItem::show() {
    showWanted_ = true;
    if (shown_ || !watcher_) return;
    QDBusConnection bus = this->bus();
    if (!objectsRegistered_) {
        bus.registerObject(QString::fromLatin1(kItemPath), this, QDBusConnection::ExportAdaptors);
        if (menu_) bus.registerObject(QString::fromLatin1(kMenuPath), menu_, QDBusConnection::ExportAdaptors);
        objectsRegistered_ = true;
    }
    shown_ = true;
    retries_ = 0;
    registerWithWatcher();
}

void StatusNotifierItem::hide() {
    showWanted_ = false;
    if (!shown_) return;
    shown_ = false;
    check_.stop();
    retry_.stop();
    // Hosts drop an item whose connection goes; a new one goes on watching
    // for a host.
    delete watcher_;
    watcher_ = nullptr;
    QDBusConnection::disconnectFromBus(connection_);
    objectsRegistered_ = false;
    connection_ = NextConnectionName(connections_);
    attach(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection_).isConnected());
}

}  // namespace orbel
