#pragma once

#include "model/AppGroup.h"
#include "model/ChargeLevel.h"
#include "model/CpuReading.h"
#include "model/DiskRates.h"
#include "model/GpuStatus.h"
#include "model/MemoryReading.h"
#include "model/NetworkRates.h"
#include "model/PowerMeter.h"
#include "model/PowerReading.h"
#include "model/ProcStats.h"
#include "model/ProcessComparison.h"
#include "model/TemperatureReading.h"
#include "model/ThermalLevel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvelle {

// The snapshot of all live figures, published once per tick. The readers' figures come in as
// whole readings; the rest are derived from readings or from the tick.
struct SystemStats : CpuReading, MemoryReading, TemperatureReading, PowerReading, DiskRates, NetworkRates {
    std::vector<ProcStats> topProcesses;
    std::int64_t processCount = 0;  // every process on the machine, not only the listed ones
    std::vector<AppGroup> appGroups;
    std::optional<ThermalLevel> thermalLevel;  // absent on a machine without any thermal source
    PowerMeter powerMeter = PowerMeter::none;  // what this tick's power figures were measured with
    std::optional<double> batteryPercentage;         // absent when the battery reports none
    std::optional<ChargeLevel> batteryChargeLevel;  // the coarse level of a battery without a percentage
    double batteryWatts = 0;
    bool batteryIsCharging = false;
    bool batteryIsPluggedIn = false;
    bool batteryIsPresent = false;  // a battery was read: the battery figures are its own
    double batteryHealthPercent = 100.0;  // 0 when the battery has no design capacity to measure it by
    std::int64_t batteryCycleCount = 0;
    double batteryTimeRemaining = 0;
    std::int64_t batteryMaxCapacityMAh = 0;
    std::int64_t batteryDesignCapacityMAh = 0;
    std::int64_t batteryAdapterWatts = 0;
    double systemBaselineWatts = 0;
    std::vector<ProcessComparison> processComparisons;
    std::vector<GpuStatus> gpus;  // every GPU the machine has, in a stable order

    // An energy counter is read: power figures are coming.
    bool hasPowerMeter() const { return measures(powerMeter); }
    // The power figures are a measurement: a meter is read and has given a reading (a whole
    // machine never draws 0 W).
    bool hasPowerReading() const { return hasPowerMeter() && totalPowerWatts > 0; }

    // Efficiency and performance cores both: only then do views and texts speak of the two kinds.
    bool hasHybridCores() const { return !eCoreUsages.empty() && !pCoreUsages.empty(); }

    bool operator==(const SystemStats&) const = default;
};

}  // namespace corvelle
