#pragma once

#include "platform/EventLoop.h"
#include "support/FakeClock.h"

#include <map>
#include <mutex>
#include <vector>

namespace corvelle::test {

// An event loop driven by the test: advance() moves the fake clock and fires due timers in
// time order; runPosted() runs what was posted.
class ManualEventLoop : public EventLoop {
public:
    explicit ManualEventLoop(FakeClock& clock) : clock_(clock) {}

    void post(std::function<void()> fn) override;
    TimerId startRepeating(double intervalSeconds, std::function<void()> fn) override;
    TimerId startSingleShot(double delaySeconds, std::function<void()> fn) override;
    void cancel(TimerId id) override;

    // Runs posted work (including work posted while running) until none is left.
    int runPosted();
    // Moves the clock forward, firing timers at their due times and running posted work.
    void advance(double seconds);

    size_t activeTimers() const { return timers_.size(); }
    // Periods of the active repeating timers.
    std::vector<double> repeatingIntervals() const;

private:
    struct Timer {
        double due;
        double interval;  // 0 for single shot
        std::function<void()> fn;
    };
    TimerId add(double delay, double interval, std::function<void()> fn);

    FakeClock& clock_;
    std::mutex postedMutex_;
    std::vector<std::function<void()>> posted_;
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
};

}  // namespace corvelle::test
