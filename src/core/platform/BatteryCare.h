#pragma once

#include "platform/ChargeLimit.h"
#include "platform/ChargeThresholds.h"

#include <functional>
#include <string>

namespace corvelle {

enum class ChargeLimitStatus {
    applied,        // the thresholds were written
    invalid,        // the limit has a problemOf(); nothing was tried
    unsupported,    // the battery has no end threshold; nothing was tried
    busy,           // an earlier request is still running; this one was dropped
    notAuthorized,  // the person cancelled or was refused the password prompt
    failed,         // the helper, the daemon or the kernel refused; `detail` says why
};

struct ChargeLimitResult {
    ChargeLimitStatus status = ChargeLimitStatus::failed;
    std::string detail;  // the helper's or daemon's own message, in English; may be empty
};

// The battery's charge limit: read on demand, and set through whatever the system offers
// (its power daemon, or a privileged helper behind a password prompt).
class BatteryCare {
public:
    virtual ~BatteryCare() = default;
    // The thresholds as they are now. Cheap: a few small files, read when asked.
    virtual ChargeThresholds thresholds() = 0;
    // Starts setting the limit and returns at once; `done` runs exactly once on the event loop,
    // never inside this call, unless this object is destroyed first.
    virtual void setChargeLimit(const ChargeLimit& limit, std::function<void(ChargeLimitResult)> done) = 0;
};

}  // namespace corvelle
