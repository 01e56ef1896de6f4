#include "support/ManualEventLoop.h"

#include <algorithm>
#include <utility>

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
        const auto batch = [this] {
            std::lock_guard lock(postedMutex_);
            return std::exchange(posted_, {});
        }();
        if (batch.empty()) return count;
        for (const auto& fn : batch) fn();
        count += static_cast<int>(batch.size());
    }
}

void ManualEventLoop::advance(double seconds) {
    const double end = clock_.uptime() + seconds;
    runPosted();
    for (;;) {
        const auto next = std::ranges::min_element(timers_, {}, [](const auto& entry) { return entry.second.due; });
        if (next == timers_.end() || next->second.due > end) break;
        clock_.advance(next->second.due - clock_.uptime());
        auto fn = next->second.fn;
        if (next->second.interval > 0) {
            next->second.due += next->second.interval;
        } else {
            timers_.erase(next);
        }
        fn();
        runPosted();
    }
    clock_.advance(end - clock_.uptime());
    runPosted();
}

std::vector<double> ManualEventLoop::repeatingIntervals() const {
    std::vector<double> intervals;
    for (const auto& [id, timer] : timers_) if (timer.interval > 0) intervals.push_back(timer.interval);
    return intervals;
}

}  // namespace corvelle::test
