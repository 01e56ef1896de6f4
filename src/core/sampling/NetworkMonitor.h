#pragma once

#include "platform/Clock.h"
#include "platform/NetStatsSource.h"
#include "sampling/RateCounter.h"

#include <memory>
#include <optional>

namespace corvelle {

// Network receive and send rates since the previous call.
class NetworkMonitor {
public:
    struct Snapshot {
        std::uint64_t inBytesPerSec = 0;
        std::uint64_t outBytesPerSec = 0;
        bool operator==(const Snapshot&) const = default;
    };

    // A null source means no reading, ever.
    NetworkMonitor(std::unique_ptr<NetStatsSource> source, std::shared_ptr<const Clock> clock);

    // Absent on the first call, when no time has passed and when the counters are unreadable.
    std::optional<Snapshot> sample();

private:
    std::unique_ptr<NetStatsSource> source_;
    std::shared_ptr<const Clock> clock_;
    RateCounter rates_;
};

}  // namespace corvelle
