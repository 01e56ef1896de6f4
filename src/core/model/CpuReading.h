#pragma once

#include "model/CoreUsage.h"

#include <vector>

namespace corvelle {

// Machine-wide and per-core CPU usage over one tick, percent.
struct CpuReading {
    double cpuTotalUsage = 0;
    double cpuUserUsage = 0;
    double cpuSystemUsage = 0;
    std::vector<CoreUsage> coreUsages;
    std::vector<CoreUsage> eCoreUsages;
    std::vector<CoreUsage> pCoreUsages;
    double eCoreAverage = 0;
    double pCoreAverage = 0;
    bool operator==(const CpuReading&) const = default;
};

}  // namespace corvelle
