#pragma once

#include <cstdint>
#include <optional>

namespace corvelle {

// Virtual-memory page counts; multiply by pageSize for bytes.
struct VmStats {
    std::uint64_t pageSize = 4096;
    std::uint64_t freeCount = 0;
    std::uint64_t activeCount = 0;
    std::uint64_t wireCount = 0;
    std::uint64_t purgeableCount = 0;
    std::uint64_t compressorPageCount = 0;
    std::uint64_t internalPageCount = 0;
    bool operator==(const VmStats&) const = default;
};

class VmStatsSource {
public:
    virtual ~VmStatsSource() = default;
    // Physical memory in bytes; 0 when unknown.
    virtual std::uint64_t physicalMemory() = 0;
    // Absent when the statistics cannot be read.
    virtual std::optional<VmStats> read() = 0;
};

}  // namespace corvelle
