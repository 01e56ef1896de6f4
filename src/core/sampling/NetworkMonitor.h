#pragma once

#include "platform/NetStatsSource.h"
#include "sampling/RateMonitor.h"

#include <cstdint>

namespace corvelle {

// Network receive and send rates, bytes per second.
struct NetworkRates {
    std::uint64_t inBytesPerSec = 0;
    std::uint64_t outBytesPerSec = 0;
    bool operator==(const NetworkRates&) const = default;
};

using NetworkMonitor = RateMonitor<NetStatsSource, NetworkRates>;

}  // namespace corvelle
