#include "monitor/MergeReadings.h"

#include "sampling/AppGroups.h"

namespace corvelle {
namespace {

void mergeBattery(const BatteryMonitor::Snapshot& battery, double timeRemaining, SystemStats& next) {
    next.batteryPercentage = battery.percentage;
    next.batteryChargeLevel = battery.chargeLevel;
    next.batteryWatts = battery.watts;
    next.batteryIsCharging = battery.isCharging;
    next.batteryIsPluggedIn = battery.isPluggedIn;
    next.batteryIsPresent = true;
    next.batteryHealthPercent = battery.healthPercent.value_or(0);
    next.batteryCycleCount = battery.cycleCount;
    next.batteryMaxCapacityMAh = battery.rawMaxCapacity.value_or(0);
    next.batteryDesignCapacityMAh = battery.designCapacity.value_or(0);
    next.batteryAdapterWatts = battery.adapterWatts;
    next.batteryTimeRemaining = timeRemaining;
}

}  // namespace

SystemStats mergeReadings(SystemStats next, const TickReadings& readings, bool visible) {
    if (const auto& cpu = readings.cpu) {
        next.cpuTotalUsage = cpu->totalUsage;
        next.cpuUserUsage = cpu->userUsage;
        next.cpuSystemUsage = cpu->systemUsage;
        next.coreUsages = cpu->coreUsages;
        next.eCoreUsages = cpu->eCoreUsages;
        next.pCoreUsages = cpu->pCoreUsages;
        next.eCoreAverage = cpu->eCoreAverage;
        next.pCoreAverage = cpu->pCoreAverage;
    }
    next.appGroups = buildAppGroups(readings.processes);
    if (visible) next.topProcesses = readings.listed;
    next.processCount = readings.processCount;
    next.thermalLevel = readings.thermalLevel;
    next.hasPowerMeter = readings.hasPowerMeter;
    if (const auto& power = readings.power) {
        next.cpuPowerWatts = power->sample.cpuWatts;
        next.gpuPowerWatts = power->sample.gpuWatts;
        next.dramPowerWatts = power->sample.dramWatts;
        next.totalPowerWatts = power->total;
    }
    if (const auto& temperatures = readings.temperatures) {
        next.eCoreTemp = temperatures->eCoreTemp;
        next.pCoreTemp = temperatures->pCoreTemp;
        next.gpuTemp = temperatures->gpuTemp;
        next.allTemperatures = temperatures->allTemps;
        next.sortedTemperatures = temperatures->sortedTemps;
        next.fanSpeeds = temperatures->fanSpeeds;
    }
    if (const auto& memory = readings.memory) {
        next.memoryUsed = memory->used;
        next.memoryTotal = memory->total;
        next.memoryPressure = memory->pressure;
        next.memoryActive = memory->active;
        next.memoryWired = memory->wired;
        next.memoryCompressed = memory->compressed;
        next.memoryAppUsed = memory->appUsed;
    }
    if (const auto& disk = readings.disk) {
        next.diskReadBytesPerSec = disk->readBytesPerSec;
        next.diskWriteBytesPerSec = disk->writeBytesPerSec;
    }
    if (const auto& network = readings.network) {
        next.networkInBytesPerSec = network->inBytesPerSec;
        next.networkOutBytesPerSec = network->outBytesPerSec;
    }
    if (readings.battery) mergeBattery(*readings.battery, readings.batteryTimeRemaining, next);
    return next;
}

}  // namespace corvelle
