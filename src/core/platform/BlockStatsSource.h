#pragma once

#include <cstdint>
#include <optional>

namespace corvelle {

// Cumulative bytes read and written by the machine's physical disks.
struct BlockTotals {
    std::uint64_t bytesRead = 0;
    std::uint64_t bytesWritten = 0;
};

class BlockStatsSource {
public:
    virtual ~BlockStatsSource() = default;
    // Absent when the counters cannot be read.
    virtual std::optional<BlockTotals> read() = 0;
};

}  // namespace corvelle
