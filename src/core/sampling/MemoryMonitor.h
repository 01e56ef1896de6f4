#pragma once

#include "platform/VmStatsSource.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace corvelle {

// Absolute memory figures from the virtual-memory page counts.
class MemoryMonitor {
public:
    struct Snapshot {
        std::uint64_t used = 0;
        std::uint64_t total = 0;
        std::uint64_t active = 0;
        std::uint64_t wired = 0;
        std::uint64_t compressed = 0;
        std::uint64_t appUsed = 0;
        double pressure = 0;  // percent
        bool operator==(const Snapshot&) const = default;
    };

    // A null source means no reading, ever.
    explicit MemoryMonitor(std::unique_ptr<VmStatsSource> source);

    std::optional<Snapshot> sample();

private:
    std::unique_ptr<VmStatsSource> source_;
    std::uint64_t totalMemory_ = 0;
};

}  // namespace corvelle
