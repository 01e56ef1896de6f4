#include "support/ManualEventLoop.h"

#include <limits>

namespace corvelle::test {

void ManualEventLoop::post(std::function<void()> fn) {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(fn));
}

TimerId ManualEventLoop::add(double delay, double interval, std::function<void()> fn) {
    const TimerId id = nextId_++;
    timers_[id] = Timer{clock_.uptime() + delay, interval, std::move(fn)};
    return id;
}

TimerId ManualEventLoop::startRepeating(double intervalSeconds, std::function<void()> fn) {
    return add(intervalSeconds, intervalSeconds, std::move(fn));
}

TimerId ManualEventLoop::startSingleShot(double delaySeconds, std::function<void()> fn) {
    return add(delaySeconds, 0, std::move(fn));
}

void ManualEventLoop::cancel(TimerId id) { timers_.erase(id); }

int ManualEventLoop::runPosted() {
    int count = 0;
    for (;;) {
        std::vector<std::function<void()>> batch;
        {
            std::lock_guard lock(postedMutex_);
            batch.swap(posted_);
        }
        if (batch.empty()) return count;
        for (auto& fn : batch) {
            fn();
            ++count;
        }
    }
}

void ManualEventLoop::advance(double seconds) {
    const double end = clock_.uptime() + seconds;
    runPosted();
    for (;;) {
        TimerId nextId = 0;
        double nextDue = std::numeric_limits<double>::infinity();
        for (const auto& [id, timer] : timers_) {
            if (timer.due < nextDue) {
                nextDue = timer.due;
                nextId = id;
            }
        }
        if (nextId == 0 || nextDue > end) break;
        clock_.advance(nextDue - clock_.uptime());
        auto fn = timers_[nextId].fn;
        if (timers_[nextId].interval > 0) {
            timers_[nextId].due += timers_[nextId].interval;
        } else {
            timers_.erase(nextId);
        }
        fn();
        runPosted();
    }
    clock_.advance(end - clock_.uptime());
    runPosted();
}

std::vector<double> ManualEventLoop::repeatingIntervals() const {
    std::vector<double> intervals;
    for (const auto& [id, timer] : timers_) {
        if (timer.interval > 0) intervals.push_back(timer.interval);
    }
    return intervals;
}

}  // namespace corvelle::test
