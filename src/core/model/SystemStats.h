#pragma once

#include "model/AppGroup.h"
#include "model/ChargeLevel.h"
#include "model/CoreUsage.h"
#include "model/ProcStats.h"
#include "model/ProcessComparison.h"
#include "model/SensorReading.h"
#include "model/ThermalLevel.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// The snapshot of all live figures, published once per tick.
struct SystemStats {
    double cpuTotalUsage = 0;
    double cpuUserUsage = 0;
    double cpuSystemUsage = 0;
    std::vector<CoreUsage> coreUsages;
    std::vector<CoreUsage> eCoreUsages;
    std::vector<CoreUsage> pCoreUsages;
    double eCoreAverage = 0;
    double pCoreAverage = 0;
    std::vector<ProcStats> topProcesses;
    std::int64_t processCount = 0;  // every process on the machine, not only the listed ones
    std::vector<AppGroup> appGroups;
    std::uint64_t memoryUsed = 0;
    std::uint64_t memoryTotal = 0;
    double memoryPressure = 0;
    std::uint64_t memoryActive = 0;
    std::uint64_t memoryWired = 0;
    std::uint64_t memoryCompressed = 0;
    std::uint64_t memoryAppUsed = 0;
    std::optional<ThermalLevel> thermalLevel;  // absent on a machine without any thermal source
    double eCoreTemp = 0;
    double pCoreTemp = 0;
    double gpuTemp = 0;
    std::vector<std::int32_t> fanSpeeds;
    std::map<std::string, double> allTemperatures;
    std::vector<SensorReading> sortedTemperatures;
    double cpuPowerWatts = 0;
    double gpuPowerWatts = 0;
    double totalPowerWatts = 0;
    double dramPowerWatts = 0;
    bool hasPowerMeter = false;  // an energy counter was read: the power figures are measured
    std::uint64_t diskReadBytesPerSec = 0;
    std::uint64_t diskWriteBytesPerSec = 0;
    std::uint64_t networkInBytesPerSec = 0;
    std::uint64_t networkOutBytesPerSec = 0;
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

    // Efficiency and performance cores both: only then do views and texts speak of the two kinds.
    bool hasHybridCores() const { return !eCoreUsages.empty() && !pCoreUsages.empty(); }

    bool operator==(const SystemStats&) const = default;
};

}  // namespace corvelle
