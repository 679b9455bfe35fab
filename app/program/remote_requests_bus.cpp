// Requests on the session bus and on the local socket beside the lock.
#include "app/program/remote_requests.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <thread>

namespace orbel {

namespace {
const char* kService = "org.tandrel.Orbel";
const char* kPath = "/org/tandrel/Orbel";
const char* kInterface = "org.tandrel.Orbel";
// A connection of its own: the tray item's is known to hosts by its unique
// name alone and goes away whenever the icon hides.
const char* kConnection = "orbel-requests";
// A request is a short line; anything longer is not one of ours.
constexpr qint64 kLineLimit = 64 * 1024;
// How long a start waits for a program that holds the lock but does not
// take requests yet (it is starting), and for its answer.
constexpr int kDeliveryMs = 10000;
constexpr int kAnswerMs = 5000;
}  // namespace

// The object on the bus: org.tandrel.Orbel at /org/tandrel/Orbel, with the
// methods Menu(), Find(s text) and Manager().
class RequestBusObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tandrel.Orbel")
public:
    RequestBusObject(RequestReceiver* receiver, const uint* busUser) : receiver_(receiver), busUser_(busUser) {}

public slots:
    Q_SCRIPTABLE void Menu();
    Q_SCRIPTABLE void Find(const QString& text);
    Q_SCRIPTABLE void Manager();

private:
    void take(const CommandRequest& request);
    RequestReceiver* receiver_;
    // The user the session bus knows this program by (its own connection's).
    const uint* busUser_;
};

void RequestBusObject::Menu() { take({RequestKind::Menu, {}}); }
void RequestBusObject::Find(const QString& text) { take({RequestKind::Find, text.toStdString()}); }
void RequestBusObject::Manager() { take({RequestKind::Manager, {}}); }

void RequestBusObject::take(const CommandRequest& request) {
    // A session bus is the user's own; should another user reach it all
    // the same, this program does not answer them.
    if (calledFromDBus()) {
        QDBusConnectionInterface* names = connection().interface();
        const QDBusReply<uint> caller = names ? names->serviceUid(message().service()) : QDBusReply<uint>();
        if (!caller.isValid() || caller.value() != *busUser_) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("requests are taken from this user only"));
            return;
        }
    }
    receiver_->take(request);
}

struct RequestReceiver::Channels {
    explicit Channels(RequestReceiver* receiver) : bus(receiver, &busUser) {}
    QLocalServer* server = nullptr;
    RequestBusObject bus;
    std::thread connecting;
    uint busUser = uint(-1);
    void attachBus(bool connected);
};

void RequestReceiver::Channels::attachBus(bool connected) {
    if (connecting.joinable()) connecting.join();
    if (!connected) return;
    QDBusConnection connection(QString::fromLatin1(kConnection));
    QDBusConnectionInterface* names = connection.interface();
    if (!names) return;
    const QDBusReply<uint> own = names->serviceUid(connection.baseService());
    if (!own.isValid()) return;
    busUser = own.value();
    if (!connection.registerObject(QString::fromLatin1(kPath), &this->bus, QDBusConnection::ExportScriptableSlots))
        return;
    // Another program of this user on this bus (one with its lock in
    // another runtime directory) keeps the name; the socket still serves.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> name = names->registerService(
        QString::fromLatin1(kService), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!name.isValid() || name.value() != QDBusConnectionInterface::ServiceRegistered)
        connection.unregisterObject(QString::fromLatin1(kPath));
}

namespace {

void Serve(RequestReceiver* receiver, QLocalSocket* socket) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, receiver, [receiver, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kLineLimit) socket->abort();
            return;
        }
        QByteArray line = socket->readLine(kLineLimit);
        if (line.endsWith('\n')) line.chop(1);
        const std::optional<CommandRequest> request = DecodeRequest(line.toStdString());
        if (request) receiver->take(*request);
        socket->write(request ? "ok\n" : "error: not a request\n");
        socket->disconnectFromServer();
    });
}

}  // namespace

void RequestReceiver::openChannels(const QString& channel) {
    channels_.reset(new Channels(this));
    if (!channel.isEmpty()) {
        QLocalServer* server = channels_->server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        // Only the holder of the lock listens here: a socket still there
        // was left by one that died.
        QLocalServer::removeServer(channel);
        if (server->listen(channel))
            connect(server, &QLocalServer::newConnection, this, [this, server] {
                while (QLocalSocket* socket = server->nextPendingConnection()) Serve(this, socket);
            });
        else
            qWarning("orbel: requests cannot be taken on %s: %s", qPrintable(channel),
                     qPrintable(server->errorString()));
    }
    // Connecting takes round trips to the bus daemon (or a failed start of
    // one): on a thread of its own while start-up goes on.
    channels_->connecting = std::thread([this] {
        const bool connected =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QString::fromLatin1(kConnection)).isConnected();
        QMetaObject::invokeMethod(
            this, [this, connected] { channels_->attachBus(connected); }, Qt::QueuedConnection);
    });
}

void RequestReceiver::ChannelsDeleter::operator()(Channels* channels) const { delete channels; }

RequestReceiver::~RequestReceiver() {
    if (!channels_) return;
    if (channels_->connecting.joinable()) channels_->connecting.join();
    // The bus name goes with the connection; the socket file with the
    // server, while the lock is still held.
    QDBusConnection::disconnectFromBus(QString::fromLatin1(kConnection));
    if (channels_->server) channels_->server->close();
}

namespace {

// On the session bus: true when delivered; false with a reason and `final`
// when the program there refused, false alone when it is not there (yet).
bool SendOnBus(const CommandRequest& request, QString* error, bool* final) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusReply<bool> there = bus.interface()->isServiceRegistered(QString::fromLatin1(kService));
    if (!there.isValid() || !there.value()) return false;
    QString method;
    QVariantList args;
    switch (request.kind) {
    case RequestKind::Menu: method = QStringLiteral("Menu"); break;
    case RequestKind::Manager: method = QStringLiteral("Manager"); break;
    case RequestKind::Find:
        method = QStringLiteral("Find");
        args << QString::fromStdString(request.text);
        break;
    default: return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                       QString::fromLatin1(kInterface), method);
    call.setArguments(args);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kAnswerMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return true;
    *error = reply.errorMessage();
    // The program was there and said no: asking again changes nothing.
    *final = reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.AccessDenied");
    return false;
}

// Through the socket: the line, then the program's one-line answer.
bool SendOnSocket(const CommandRequest& request, const QString& channel, QString* error, bool* final) {
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(kAnswerMs)) {
        *error = socket.errorString();
        return false;
    }
    socket.write(QByteArray::fromStdString(EncodeRequest(request) + '\n'));
    socket.flush();
    QDeadlineTimer answer(kAnswerMs);
    while (!socket.canReadLine() && !answer.hasExpired())
        if (!socket.waitForReadyRead(int(answer.remainingTime()))) break;
    *final = true;
    if (!socket.canReadLine()) {
        *error = QStringLiteral("the running program did not answer");
        return false;
    }
    const QByteArray line = socket.readLine(kLineLimit).trimmed();
    if (line == "ok") return true;
    *error = QString::fromUtf8(line);
    return false;
}

}  // namespace

bool SendRequest(const CommandRequest& request, const QString& channel, QString* error) {
    QDeadlineTimer deadline(kDeliveryMs);
    QString reason;
    for (;;) {
        bool final = false;
        if (SendOnBus(request, &reason, &final)) return true;
        if (!final && !channel.isEmpty() && SendOnSocket(request, channel, &reason, &final)) return true;
        if (channel.isEmpty() && reason.isEmpty())
            reason = QStringLiteral("there is no private directory for the request");
        if (final || deadline.hasExpired()) break;
        QThread::msleep(100);
    }
    *error = reason;
    return false;
}

}  // namespace orbel

#include "remote_requests_bus.moc"
