#pragma once

#include "platform/BlockStatsSource.h"
#include "sampling/RateMonitor.h"

#include <cstdint>

namespace corvelle {

// Disk read and write rates, bytes per second.
struct DiskRates {
    std::uint64_t readBytesPerSec = 0;
    std::uint64_t writeBytesPerSec = 0;
    bool operator==(const DiskRates&) const = default;
};

using DiskMonitor = RateMonitor<BlockStatsSource, DiskRates>;

}  // namespace corvelle
