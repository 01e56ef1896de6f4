#pragma once

#include "platform/Clock.h"

namespace corvelle {

// Wall time from the realtime clock; uptime from CLOCK_BOOTTIME, which keeps counting
// while the machine sleeps.
class SystemClock : public Clock {
public:
    double now() const override;
    double uptime() const override;
};

}  // namespace corvelle
