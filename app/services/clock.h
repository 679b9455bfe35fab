#pragma once
// The windows' timers and the clock that drives them: the event loop's in
// the program; in widget tests one moved on by hand, so that they check
// durations without waiting for them.

#include <QObject>
#include <memory>

class QTimer;

namespace orbel {

class Timer;

class Clock {
public:
    virtual ~Clock() = default;
    // The event loop's clock.
    static Clock& system();

protected:
    friend class Timer;
    // A timer started or restarted: it is due interval() from now. A
    // clock that returns false leaves the timing to the timer itself.
    virtual bool arm(Timer& timer) = 0;
    virtual void disarm(Timer& timer) = 0;
};

// The part of QTimer the windows use, on a clock of their choosing.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(Clock& clock, QObject* parent);
    ~Timer() override;

    // As with QTimer, a new interval restarts a running timer.
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setSingleShot(bool singleShot) { singleShot_ = singleShot; }
    bool isSingleShot() const { return singleShot_; }
    void start();
    void stop();
    bool isActive() const { return active_; }

    // The clock says the time has come.
    void fire();

signals:
    void timeout();

private:
    Clock& clock_;
    std::unique_ptr<QTimer> loopTimer_;  // only on the event loop's clock
    int interval_ = 0;
    bool singleShot_ = false;
    bool active_ = false;
};

}  // namespace orbel
