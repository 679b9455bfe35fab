// Requests on the system's request channel (a named pipe of this user and
// session), where there is no session bus and no local socket (Windows).
#include "app/program/remote_requests.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>

#include "platform/request_channel.h"

namespace orbel {

namespace {
// How long a start waits for a program that holds the lock but does not
// take requests yet (it is starting), and for its answer.
constexpr int kDeliveryMs = 10000;
constexpr int kAnswerMs = 5000;
}  // namespace

struct RequestReceiver::Channels {
    std::unique_ptr<platform::RequestChannelServer> server;
};

void RequestReceiver::ChannelsDeleter::operator()(Channels* channels) const { delete channels; }

void RequestReceiver::openChannels(const QString& channel) {
    channels_.reset(new Channels);
    if (channel.isEmpty()) return;
    // The channel's thread answers at once; the request itself is done on
    // this one, as any other event.
    QPointer<RequestReceiver> self(this);
    channels_->server = std::make_unique<platform::RequestChannelServer>(
        channel.toStdString(), [self](const std::string& line) -> std::string {
            const std::optional<CommandRequest> request = DecodeRequest(line);
            if (!request) return "error: not a request";
            QMetaObject::invokeMethod(
                self.data(),
                [self, request] {
                    if (self) self->take(*request);
                },
                Qt::QueuedConnection);
            return "ok";
        });
    if (!channels_->server->listen())
        qWarning("orbel: requests cannot be taken: %s", channels_->server->errorString().c_str());
}

RequestReceiver::~RequestReceiver() {
    // The channel's thread ends before the receiver goes.
    channels_.reset();
}

bool SendRequest(const CommandRequest& request, const QString& channel, QString* error) {
    if (channel.isEmpty()) {
        *error = QStringLiteral("there is no channel for the request");
        return false;
    }
    QDeadlineTimer deadline(kDeliveryMs);
    for (;;) {
        std::string answer, reason;
        bool reached = false;
        if (platform::SendOnRequestChannel(channel.toStdString(), EncodeRequest(request), kAnswerMs, &answer, &reason,
                                           &reached)) {
            if (answer == "ok") return true;
            *error = QString::fromStdString(answer);
            return false;
        }
        // The program was there and did not answer: asking again changes
        // nothing. Else it may still be starting.
        if (reached || deadline.hasExpired()) {
            *error = QString::fromStdString(reason);
            return false;
        }
        QThread::msleep(100);
    }
}

}  // namespace orbel
