#pragma once

#include <cstdint>

namespace corvelle {

// Absolute memory figures, bytes, and the pressure, percent.
struct MemoryReading {
    std::uint64_t memoryUsed = 0;
    std::uint64_t memoryTotal = 0;
    double memoryPressure = 0;
    std::uint64_t memoryActive = 0;
    std::uint64_t memoryWired = 0;
    std::uint64_t memoryCompressed = 0;
    std::uint64_t memoryAppUsed = 0;
    bool operator==(const MemoryReading&) const = default;
};

}  // namespace corvelle
