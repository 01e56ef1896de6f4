#pragma once

#include "platform/GpuReading.h"

#include <cstdint>
#include <optional>

namespace corvelle {

// The figures one read of an awake GPU gives, each absent where it gives none.
struct GpuFigures {
    std::optional<double> loadPercent;
    std::optional<double> powerWatts;
    std::optional<double> temperature;
    std::optional<std::uint64_t> memoryUsedBytes;
    std::optional<std::uint64_t> memoryTotalBytes;

    void copyTo(GpuReading& reading) const {
        reading.loadPercent = loadPercent;
        reading.powerWatts = powerWatts;
        reading.temperature = temperature;
        reading.memoryUsedBytes = memoryUsedBytes;
        reading.memoryTotalBytes = memoryTotalBytes;
    }
};

}  // namespace corvelle
