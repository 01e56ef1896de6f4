#include "sampling/PowerMonitor.h"

namespace corvelle {

std::optional<PowerMonitor::Snapshot> PowerMonitor::sample() {
    const auto power = ioReport_.sample();
    if (!power) return std::nullopt;
    // A meter of the whole package already holds the parts it contains; memory lies outside it.
    const double package = power->socWatts > 0 ? power->socWatts : power->cpuWatts + power->gpuWatts + power->aneWatts;
    latest_ = Snapshot{power->cpuWatts, power->gpuWatts, package + power->dramWatts, power->dramWatts};
    return latest_;
}

}  // namespace corvelle
