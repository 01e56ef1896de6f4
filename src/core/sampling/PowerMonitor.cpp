#include "sampling/PowerMonitor.h"

namespace corvelle {

std::optional<PowerMonitor::Snapshot> PowerMonitor::sample() {
    const auto power = ioReport_.sample();
    if (!power) return std::nullopt;
    return Snapshot{*power, power->cpuWatts + power->gpuWatts + power->aneWatts + power->dramWatts};
}

}  // namespace corvelle
