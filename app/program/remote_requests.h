#pragma once
// Requests from other starts of the program ("orbel --manager" and the
// like). The running program takes them on the session bus, under a name
// of its own on a connection that is not the tray item's, and on a local
// socket beside its instance lock (Linux), or on the system's request
// channel (Windows); it does them once start-up is done. A start that finds
// the program running hands its request over with SendRequest.

#include <QObject>
#include <QString>
#include <deque>
#include <memory>

#include "core/program/command_line.h"

namespace orbel {

class RequestReceiver : public QObject {
    Q_OBJECT
public:
    // channel: where the local socket goes (SingleInstanceLock::channelName).
    explicit RequestReceiver(const QString& channel);
    ~RequestReceiver() override;

    // Done at once when the program has started, else as soon as it has.
    void take(const CommandRequest& request);
    // Opens the channels and performs what waits: the program has started.
    void programStarted();

signals:
    // The item manager, asked by Manager; the tray menu, asked by Menu.
    void managerRequested();
    void menuRequested();
    // The find window with this text typed in, asked by Find.
    void findRequested(const QString& text);

private:
    // Where requests come from, as the system offers them
    // (remote_requests_bus.cpp, remote_requests_pipe.cpp).
    struct Channels;
    struct ChannelsDeleter {
        void operator()(Channels* channels) const;
    };
    void openChannels(const QString& channel);
    void performPending();
    void perform(const CommandRequest& request);

    QString channel_;
    std::unique_ptr<Channels, ChannelsDeleter> channels_;
    bool started_ = false;
    std::deque<CommandRequest> pending_;
};

// Hands the request to the running program, on the session bus where it
// is there, else through the channel; waits a little for a
// program still starting to take requests. False with the reason when the
// request could not be delivered.
bool SendRequest(const CommandRequest& request, const QString& channel, QString* error);

}  // namespace orbel
