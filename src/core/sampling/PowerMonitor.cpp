#include "sampling/PowerMonitor.h"

namespace corvelle {

std::optional<PowerMonitor::Snapshot> PowerMonitor::sample() {
    const auto power = ioReport_.sample();
    if (!power) return std::nullopt;
    const double total = power->cpuWatts + power->gpuWatts + power->aneWatts + power->dramWatts;
    latest_ = Snapshot{power->cpuWatts, power->gpuWatts, total, power->dramWatts};
    return latest_;
}

}  // namespace corvelle
