#include "app/shell/remote_requests.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include "app/shell/form_general.h"
#include "app/shell/program.h"
#include "app/shell/tray_commands.h"
#include "app/widgets/sys_tray_icon.h"

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

RequestBusObject::RequestBusObject(RequestReceiver* receiver) : receiver_(receiver) {}

void RequestBusObject::Menu() { take({RequestKind::Menu, {}}); }
void RequestBusObject::Find(const QString& text) { take({RequestKind::Find, text.toStdString()}); }
void RequestBusObject::Manager() { take({RequestKind::Manager, {}}); }

void RequestBusObject::take(const CommandRequest& request) {
    // A session bus is the user's own; should another user reach it all
    // the same, this program does not answer them.
    if (calledFromDBus()) {
        QDBusConnectionInterface* names = connection().interface();
        const QDBusReply<uint> caller = names ? names->serviceUid(message().service()) : QDBusReply<uint>();
        if (!caller.isValid() || caller.value() != receiver_->busUser()) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("requests are taken from this user only"));
            return;
        }
    }
    receiver_->take(request);
}

RequestReceiver::RequestReceiver(Program& program, const QString& channel) : program_(program), bus_(this) {
    connect(&program_, &Program::started, this, [this] {
        started_ = true;
        QTimer::singleShot(0, this, &RequestReceiver::performPending);
    });
    if (!channel.isEmpty()) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        // Only the holder of the lock listens here: a socket still there
        // was left by one that died.
        QLocalServer::removeServer(channel);
        if (server_->listen(channel))
            connect(server_, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket* socket = server_->nextPendingConnection()) serve(socket);
            });
        else
            qWarning("orbel: requests cannot be taken on %s: %s", qPrintable(channel),
                     qPrintable(server_->errorString()));
    }
    // Connecting takes round trips to the bus daemon (or a failed start of
    // one): on a thread of its own while start-up goes on.
    connecting_ = std::thread([this] {
        const bool connected =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QString::fromLatin1(kConnection)).isConnected();
        QMetaObject::invokeMethod(
            this, [this, connected] { attachBus(connected); }, Qt::QueuedConnection);
    });
}

RequestReceiver::~RequestReceiver() {
    if (connecting_.joinable()) connecting_.join();
    // The bus name goes with the connection; the socket file with the
    // server, while the lock is still held.
    QDBusConnection::disconnectFromBus(QString::fromLatin1(kConnection));
    if (server_) server_->close();
}

void RequestReceiver::attachBus(bool connected) {
    if (connecting_.joinable()) connecting_.join();
    if (!connected) return;
    QDBusConnection bus(QString::fromLatin1(kConnection));
    QDBusConnectionInterface* names = bus.interface();
    if (!names) return;
    const QDBusReply<uint> own = names->serviceUid(bus.baseService());
    if (!own.isValid()) return;
    busUser_ = own.value();
    if (!bus.registerObject(QString::fromLatin1(kPath), &bus_, QDBusConnection::ExportScriptableSlots)) return;
    // Another program of this user on this bus (one with its lock in
    // another runtime directory) keeps the name; the socket still serves.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> name = names->registerService(
        QString::fromLatin1(kService), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!name.isValid() || name.value() != QDBusConnectionInterface::ServiceRegistered)
        bus.unregisterObject(QString::fromLatin1(kPath));
}

void RequestReceiver::serve(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kLineLimit) socket->abort();
            return;
        }
        QByteArray line = socket->readLine(kLineLimit);
        if (line.endsWith('\n')) line.chop(1);
        const std::optional<CommandRequest> request = DecodeRequest(line.toStdString());
        if (request) take(*request);
        socket->write(request ? "ok\n" : "error: not a request\n");
        socket->disconnectFromServer();
    });
}

void RequestReceiver::take(const CommandRequest& request) {
    pending_.push_back(request);
    if (started_) QTimer::singleShot(0, this, &RequestReceiver::performPending);
}

void RequestReceiver::performPending() {
    while (!pending_.empty() && started_) {
        const CommandRequest request = pending_.front();
        pending_.pop_front();
        perform(request);
    }
}

void RequestReceiver::perform(const CommandRequest& request) {
    switch (request.kind) {
    case RequestKind::Manager: miManageItemsClick(program_); break;
    case RequestKind::Menu: program_.ShowMenuAnywhere(); break;
    case RequestKind::Find: emit findRequested(QString::fromStdString(request.text)); break;
    case RequestKind::None:
    case RequestKind::Help: break;
    }
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
