#pragma once

namespace corvelle {

// Usage of one logical CPU over the last tick.
struct CoreUsage {
    int coreIndex = 0;      // the logical CPU number
    double usage = 0;       // percent, 0-100
    bool isEfficiency = false;
    bool operator==(const CoreUsage&) const = default;
};

}  // namespace corvelle
