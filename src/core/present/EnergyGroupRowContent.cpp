#include "present/EnergyGroupRowContent.h"

#include "present/EnergyLevel.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace corvelle {

EnergyGroupRowContent energyGroupRowContent(const AppGroup& group, double maxCPU) {
    const double fraction = maxCPU > 0 ? group.totalCPU / maxCPU : 0.0;
    const EnergyLevel level = energyLevel(group.maxEnergyImpact);
    return {group.name,
            group.processCount >= 2 ? "(" + std::to_string(group.processCount) + ")" : std::string(),
            std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0,
            formatString("%.1f%%", group.totalCPU),
            energyLevelLabel(level),
            energyLevelColor(level)};
}

}  // namespace corvelle
