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
    if (readings.cpu) static_cast<CpuReading&>(next) = *readings.cpu;
    next.appGroups = buildAppGroups(readings.processes);
    if (visible) next.topProcesses = readings.listed;
    next.processCount = readings.processCount;
    next.thermalLevel = readings.thermalLevel;
    // Figures of a meter that is gone (the power service stopped) are not kept as if current.
    next.powerMeter = readings.powerMeter;
    if (readings.power) {
        static_cast<PowerReading&>(next) = *readings.power;
    } else if (!next.hasPowerMeter()) {
        static_cast<PowerReading&>(next) = {};
    }
    if (readings.temperatures) static_cast<TemperatureReading&>(next) = *readings.temperatures;
    if (readings.memory) static_cast<MemoryReading&>(next) = *readings.memory;
    if (readings.disk) static_cast<DiskRates&>(next) = *readings.disk;
    if (readings.network) static_cast<NetworkRates&>(next) = *readings.network;
    if (readings.battery) mergeBattery(*readings.battery, readings.batteryTimeRemaining, next);
    return next;
}

}  // namespace corvelle
