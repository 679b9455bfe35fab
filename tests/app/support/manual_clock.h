#pragma once
// A clock the test moves on by hand: timers fire when it passes their time,
// never while the test waits for something else.

#include <QtGlobal>
#include <algorithm>
#include <map>

#include "app/services/clock.h"

namespace orbel::testing {

class ManualClock : public Clock {
public:
    // Moves time on by ms, firing every timer that falls due on the way in
    // the order they fall due.
    void advance(int ms) {
        const qint64 end = now_ + ms;
        for (;;) {
            Timer* next = nullptr;
            qint64 when = end + 1;
            for (const auto& [timer, due] : due_)
                if (due < when) {
                    when = due;
                    next = timer;
                }
            if (!next) break;
            now_ = when;
            if (next->isSingleShot()) due_.erase(next);
            else due_[next] = when + std::max(1, next->interval());
            next->fire();
        }
        now_ = end;
    }

protected:
    bool arm(Timer& timer) override {
        due_[&timer] = now_ + timer.interval();
        return true;
    }
    void disarm(Timer& timer) override { due_.erase(&timer); }

private:
    qint64 now_ = 0;
    std::map<Timer*, qint64> due_;
};

}  // namespace orbel::testing
