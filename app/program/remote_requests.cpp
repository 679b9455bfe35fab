#include "app/program/remote_requests.h"

#include <QTimer>

namespace orbel {

RequestReceiver::RequestReceiver(const QString& channel) : channel_(channel) {}

void RequestReceiver::programStarted() {
    // The channels open once the program has started: joining the bus and
    // listening cost start-up some 30 ms, and a request sent meanwhile
    // waits for them.
    started_ = true;
    QTimer::singleShot(0, this, [this] {
        if (!channels_) openChannels(channel_);
        performPending();
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
    case RequestKind::Manager: emit managerRequested(); break;
    case RequestKind::Menu: emit menuRequested(); break;
    case RequestKind::Find: emit findRequested(QString::fromStdString(request.text)); break;
    case RequestKind::None:
    case RequestKind::Help: break;
    }
}

}  // namespace orbel
