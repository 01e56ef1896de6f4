#pragma once

#include <string>

namespace corvelle {

// A process running far above its learnt CPU baseline.
struct EnergyAlert {
    std::string name;
    double currentCPU = 0;
    double baselineCPU = 0;  // the effective baseline the spike was measured against
    bool operator==(const EnergyAlert&) const = default;
};

}  // namespace corvelle
