#pragma once

#include <cstdint>
#include <optional>

namespace corvelle {

// Cumulative bytes received and sent by every network interface except loopback.
struct NetTotals {
    std::uint64_t bytesIn = 0;
    std::uint64_t bytesOut = 0;
};

class NetStatsSource {
public:
    virtual ~NetStatsSource() = default;
    // Absent when the counters cannot be read.
    virtual std::optional<NetTotals> read() = 0;
};

}  // namespace corvelle
