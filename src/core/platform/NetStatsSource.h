#pragma once

#include <cstdint>

namespace corvelle {

// Cumulative bytes received and sent by every network interface except loopback.
struct NetTotals {
    std::uint64_t bytesIn = 0;
    std::uint64_t bytesOut = 0;
};

class NetStatsSource {
public:
    virtual ~NetStatsSource() = default;
    // Zero totals when the counters cannot be read.
    virtual NetTotals read() = 0;
};

}  // namespace corvelle
