#pragma once

#include "platform/BlockStatsSource.h"
#include "platform/Clock.h"
#include "sampling/RateCounter.h"

#include <memory>
#include <optional>

namespace corvelle {

// Disk read and write rates since the previous call.
class DiskMonitor {
public:
    struct Snapshot {
        std::uint64_t readBytesPerSec = 0;
        std::uint64_t writeBytesPerSec = 0;
        bool operator==(const Snapshot&) const = default;
    };

    // A null source means no reading, ever.
    DiskMonitor(std::unique_ptr<BlockStatsSource> source, std::shared_ptr<const Clock> clock);

    // Absent on the first call, when no time has passed and when the counters are unreadable.
    std::optional<Snapshot> sample();

private:
    std::unique_ptr<BlockStatsSource> source_;
    std::shared_ptr<const Clock> clock_;
    RateCounter rates_;
};

}  // namespace corvelle
