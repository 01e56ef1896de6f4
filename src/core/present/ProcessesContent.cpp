#include "present/ProcessesContent.h"

#include "localization/LProcesses.h"
#include "present/EnergyLevel.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace corvelle::ProcessesContent {

SystemColor cpuColor(double cpuPercent) {
    if (cpuPercent >= 0 && cpuPercent < 5) return SystemColor::secondary;
    if (cpuPercent >= 5 && cpuPercent < 25) return SystemColor::primary;
    if (cpuPercent >= 25 && cpuPercent < 50) return SystemColor::orange;
    return SystemColor::red;
}

Row row(const ProcStats& process) {
    const EnergyLevel level = energyLevel(process.energyImpact);
    const double fraction = std::isnan(process.energyImpact) ? 0.0 : std::clamp(process.energyImpact / 100.0, 0.0, 1.0);
    // The kernel row (pid 0) stands for no one process: it shows no pid, and its name follows the
    // language at once rather than at the next tick.
    const bool kernel = process.pid == 0;
    return {kernel ? L::linuxKernel() : process.name,
            kernel ? std::string() : L::pidLabel(process.pid),
            formatString("%.1f%%", process.cpuPercent),
            cpuColor(process.cpuPercent),
            bytesString(process.memoryBytes),
            fraction,
            energyLevelLabel(level),
            energyLevelColor(level)};
}

}  // namespace corvelle::ProcessesContent
