#pragma once

#include "model/GpuStatus.h"
#include "model/PowerMeter.h"
#include "model/ProcStats.h"
#include "model/ThermalLevel.h"
#include "sampling/BatteryMonitor.h"
#include "sampling/CPUMonitor.h"
#include "sampling/DiskMonitor.h"
#include "sampling/MemoryMonitor.h"
#include "sampling/NetworkMonitor.h"
#include "sampling/PowerMonitor.h"
#include "sampling/TemperatureMonitor.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvelle {

// What one tick read from the machine. A reader that was skipped or failed leaves its slot
// absent. During sampling each slot is written by one worker only.
struct TickReadings {
    std::optional<CPUMonitor::Snapshot> cpu;
    std::optional<MemoryMonitor::Snapshot> memory;
    std::optional<DiskMonitor::Snapshot> disk;
    std::optional<NetworkMonitor::Snapshot> network;
    std::optional<BatteryMonitor::Snapshot> battery;
    std::optional<TemperatureMonitor::Snapshot> temperatures;
    std::optional<PowerMonitor::Snapshot> power;
    // The meter's latest figures: this tick's, else those of the last tick that had some.
    std::optional<PowerMonitor::Snapshot> latestPower;
    std::optional<std::vector<GpuStatus>> gpus;
    std::vector<ProcStats> processes;  // the busiest by CPU
    std::vector<ProcStats> listed;     // in the order the process list follows
    std::int64_t processCount = 0;
    std::optional<ThermalLevel> thermalLevel;
    PowerMeter powerMeter = PowerMeter::none;
    double batteryTimeRemaining = 0;  // seconds, from the estimator; only with a battery reading
};

}  // namespace corvelle
