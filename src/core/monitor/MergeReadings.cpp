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

// The meter's figures with the discrete GPUs' draw added: a discrete GPU is outside the package the
// meter measures. Without a meter only the GPU figure has it, since a total of the GPU alone would
// pass for the machine's, and figures of a meter that is gone (the power service stopped) are not
// kept as if current. A tick that read neither the meter nor the GPUs keeps the figures it had.
void mergePower(const TickReadings& readings, SystemStats& next) {
    next.powerMeter = readings.powerMeter;
    const bool metered = next.hasPowerMeter();
    if (metered && !readings.power && !readings.gpus) return;
    const auto& meter = readings.power ? readings.power : readings.latestPower;
    PowerReading power = metered ? meter.value_or(PowerReading{}) : PowerReading{};
    const double discrete = discreteGpuWatts(next.gpus);
    power.gpuPowerWatts += discrete;
    if (metered && meter) power.totalPowerWatts += discrete;
    static_cast<PowerReading&>(next) = power;
}

}  // namespace

SystemStats mergeReadings(SystemStats next, const TickReadings& readings, bool visible) {
    if (readings.cpu) static_cast<CpuReading&>(next) = *readings.cpu;
    next.appGroups = buildAppGroups(readings.processes);
    if (visible) next.topProcesses = readings.listed;
    next.processCount = readings.processCount;
    next.thermalLevel = readings.thermalLevel;
    if (readings.gpus) next.gpus = *readings.gpus;
    mergePower(readings, next);
    if (readings.temperatures) static_cast<TemperatureReading&>(next) = *readings.temperatures;
    if (readings.memory) static_cast<MemoryReading&>(next) = *readings.memory;
    if (readings.disk) static_cast<DiskRates&>(next) = *readings.disk;
    if (readings.network) static_cast<NetworkRates&>(next) = *readings.network;
    if (readings.battery) mergeBattery(*readings.battery, readings.batteryTimeRemaining, next);
    return next;
}

}  // namespace corvelle
