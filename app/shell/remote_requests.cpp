#include "app/shell/remote_requests.h"

#include <QTimer>

#include "app/shell/form_general.h"
#include "app/shell/program.h"
#include "app/shell/tray_commands.h"
#include "app/widgets/sys_tray_icon.h"

namespace orbel {

RequestReceiver::RequestReceiver(Program& program, const QString& channel) : program_(program) {
    // The channels open once the program has started: joining the bus and
    // listening cost start-up some 30 ms, and a request sent meanwhile
    // waits for them.
    connect(&program_, &Program::started, this, [this, channel] {
        started_ = true;
        QTimer::singleShot(0, this, [this, channel] {
            if (!channels_) openChannels(channel);
            performPending();
        });
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

}  // namespace orbel
