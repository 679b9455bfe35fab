#include "app/services/clock.h"

#include <QTimer>

namespace orbel {

namespace {

class LoopClock : public Clock {
protected:
    bool arm(Timer&) override { return false; }
    void disarm(Timer&) override {}
};

}  // namespace

Clock& Clock::system() {
    static LoopClock clock;
    return clock;
}

Timer::Timer(Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {}

Timer::~Timer() {
    if (active_) clock_.disarm(*this);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (active_) start();
}

void Timer::start() {
    active_ = true;
    if (clock_.arm(*this)) return;
    if (!loopTimer_) {
        loopTimer_ = std::make_unique<QTimer>();
        connect(loopTimer_.get(), &QTimer::timeout, this, &Timer::fire);
    }
    loopTimer_->setSingleShot(singleShot_);
    loopTimer_->start(interval_);
}

void Timer::stop() {
    if (!active_) return;
    active_ = false;
    clock_.disarm(*this);
    if (loopTimer_) loopTimer_->stop();
}

void Timer::fire() {
    if (!active_) return;
    if (singleShot_) stop();
    emit timeout();
}

}  // namespace orbel
