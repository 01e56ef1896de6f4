#pragma once

#include "model/MemoryReading.h"
#include "platform/VmStatsSource.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace corvelle {

// Absolute memory figures from the virtual-memory page counts.
class MemoryMonitor {
public:
    using Snapshot = MemoryReading;

    // A null source means no reading, ever.
    explicit MemoryMonitor(std::unique_ptr<VmStatsSource> source);

    std::optional<Snapshot> sample();

private:
    std::unique_ptr<VmStatsSource> source_;
    std::uint64_t totalMemory_ = 0;
};

}  // namespace corvelle
