#pragma once

#include "platform/Clock.h"

#include <atomic>

namespace corvelle::test {

// A clock that moves only when told to. Wall time and uptime advance together.
class FakeClock : public Clock {
public:
    explicit FakeClock(double wall = 1'750'000'000.0, double uptime = 1000.0) : wall_(wall), uptime_(uptime) {}
    double now() const override { return wall_; }
    double uptime() const override { return uptime_; }
    void advance(double seconds) {
        wall_ = wall_ + seconds;
        uptime_ = uptime_ + seconds;
    }
    void setNow(double wall) { wall_ = wall; }
    void setUptime(double uptime) { uptime_ = uptime; }

private:
    std::atomic<double> wall_;
    std::atomic<double> uptime_;
};

}  // namespace corvelle::test
