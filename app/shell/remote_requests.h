#pragma once
// Requests from other starts of the program ("orbel --manager" and the
// like). The running program takes them on the session bus, under a name
// of its own on a connection that is not the tray item's, and on a local
// socket beside its instance lock; it does them once start-up is done. A
// start that finds the program running hands its request over with
// SendRequest.

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <deque>
#include <thread>

#include "core/shell/command_line.h"

class QLocalServer;
class QLocalSocket;

namespace orbel {

class Program;
class RequestReceiver;

// The object on the bus: org.tandrel.Orbel at /org/tandrel/Orbel, with the
// methods Menu(), Find(s text) and Manager().
class RequestBusObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tandrel.Orbel")
public:
    explicit RequestBusObject(RequestReceiver* receiver);

public slots:
    Q_SCRIPTABLE void Menu();
    Q_SCRIPTABLE void Find(const QString& text);
    Q_SCRIPTABLE void Manager();

private:
    void take(const CommandRequest& request);
    RequestReceiver* receiver_;
};

class RequestReceiver : public QObject {
    Q_OBJECT
public:
    // channel: where the local socket goes (SingleInstanceLock::channelName).
    RequestReceiver(Program& program, const QString& channel);
    ~RequestReceiver() override;

    // Done at once when the program has started, else as soon as it has.
    void take(const CommandRequest& request);
    // The user the session bus knows this program by (its own connection's).
    uint busUser() const { return busUser_; }

signals:
    // The find window with this text typed in, asked by Find.
    void findRequested(const QString& text);

private:
    void attachBus(bool connected);
    void serve(QLocalSocket* socket);
    void performPending();
    void perform(const CommandRequest& request);

    Program& program_;
    QLocalServer* server_ = nullptr;
    RequestBusObject bus_;
    std::thread connecting_;
    uint busUser_ = uint(-1);
    bool started_ = false;
    std::deque<CommandRequest> pending_;
};

// Hands the request to the running program, on the session bus where it
// is there, else through the channel's socket; waits a little for a
// program still starting to take requests. False with the reason when the
// request could not be delivered.
bool SendRequest(const CommandRequest& request, const QString& channel, QString* error);

}  // namespace orbel
