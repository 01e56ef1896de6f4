#pragma once

namespace corvelle {

// Measured power draw, W.
struct PowerReading {
    double cpuPowerWatts = 0;
    double gpuPowerWatts = 0;
    double totalPowerWatts = 0;  // every measured part, the neural engine's included
    double dramPowerWatts = 0;
    bool operator==(const PowerReading&) const = default;
};

}  // namespace corvelle
