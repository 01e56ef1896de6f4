#include "monitor/MergeReadings.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvelle {
namespace {

// A snapshot whose every figure differs from a default one, so a field a reading forgets to
// set, or sets from the wrong source, shows.
SystemStats previousTick() {
    SystemStats s;
    s.cpuTotalUsage = 1;
    s.coreUsages = {CoreUsage{0, 1, false}};
    s.memoryUsed = 2;
    s.memoryTotal = 3;
    s.diskReadBytesPerSec = 4;
    s.networkOutBytesPerSec = 5;
    s.pCoreTemp = 6;
    s.totalPowerWatts = 7;
    s.powerMeter = PowerMeter::sysfs;
    s.batteryPercentage = 8;
    s.batteryIsPresent = true;
    s.batteryTimeRemaining = 9;
    s.topProcesses = {ProcStats{.pid = 1, .name = "old"}};
    s.processCount = 10;
    s.thermalLevel = ThermalLevel::heavy;
    return s;
}

TEST(MergeReadings, EachReadingReplacesItsOwnFieldsOnly) {
    const ProcStats busy{.pid = 2, .name = "busy", .cpuPercent = 50};
    const struct { const char* name; std::function<void(TickReadings&)> read; bool visible; std::function<void(SystemStats&)> expect; } cases[] = {
        {"nothing read: the figures stay, the thermal level and counts follow the tick", [](auto&) {}, true,
         [](auto& s) { s.topProcesses.clear(); }},
        {"cpu", [](auto& r) { r.cpu = CPUMonitor::Snapshot{40, 30, 10, {}, {}, {}, 5, 6}; }, false,
         [](auto& s) {
             s.cpuTotalUsage = 40, s.cpuUserUsage = 30, s.cpuSystemUsage = 10, s.eCoreAverage = 5, s.pCoreAverage = 6;
             s.coreUsages.clear();
         }},
        {"memory, disk and network", [](auto& r) {
             r.memory = MemoryMonitor::Snapshot{1, 2, 7, 3, 4, 5, 6};
             r.disk = DiskMonitor::Snapshot{11, 12};
             r.network = NetworkMonitor::Snapshot{13, 14};
         }, false,
         [](auto& s) {
             s.memoryUsed = 1, s.memoryTotal = 2, s.memoryActive = 3, s.memoryWired = 4, s.memoryCompressed = 5;
             s.memoryAppUsed = 6, s.memoryPressure = 7;
             s.diskReadBytesPerSec = 11, s.diskWriteBytesPerSec = 12;
             s.networkInBytesPerSec = 13, s.networkOutBytesPerSec = 14;
         }},
        {"power and temperatures", [](auto& r) {
             r.power = PowerMonitor::Snapshot{1, 2, 6.5, 3};
             r.powerMeter = PowerMeter::service;
             r.temperatures = TemperatureMonitor::Snapshot{40, 50, 60, {1200}, {{"a", 1}}, {SensorReading{"a", 1}}};
             r.thermalLevel = ThermalLevel::moderate;
         }, false,
         [](auto& s) {
             s.cpuPowerWatts = 1, s.gpuPowerWatts = 2, s.dramPowerWatts = 3, s.totalPowerWatts = 6.5;
             s.powerMeter = PowerMeter::service;
             s.eCoreTemp = 40, s.pCoreTemp = 50, s.gpuTemp = 60;
             s.allTemperatures = {{"a", 1}}, s.sortedTemperatures = {SensorReading{"a", 1}}, s.fanSpeeds = {1200};
             s.thermalLevel = ThermalLevel::moderate;
         }},
        {"the power service stopped: its last figures are not kept", [](auto& r) { r.powerMeter = PowerMeter::locked; },
         false, [](auto& s) { s.totalPowerWatts = 0, s.powerMeter = PowerMeter::locked; }},
        {"a battery without design capacity has no health or capacities", [](auto& r) {
             r.battery = BatteryMonitor::Snapshot{{}, {}, {}, 0, 0, 3, false, true, {}, {}, 4, 65, {}};
             r.batteryTimeRemaining = 1800;
         }, false,
         [](auto& s) {
             s.batteryPercentage.reset();
             s.batteryIsPluggedIn = true, s.batteryWatts = 4, s.batteryAdapterWatts = 65, s.batteryCycleCount = 3;
             s.batteryHealthPercent = 0, s.batteryTimeRemaining = 1800;
         }},
        {"a hidden tick keeps the list but not the groups", [&](auto& r) {
             r.processes = {busy};
             r.listed = {busy};
             r.processCount = 300;
         }, false,
         [](auto& s) { s.appGroups = {AppGroup{"busy", 50, 0, 1, 0}}, s.processCount = 300; }},
        {"a visible tick shows the list in its own order", [&](auto& r) {
             r.processes = {busy};
             r.listed = {ProcStats{.pid = 3, .name = "big"}, busy};
         }, true,
         [&](auto& s) {
             s.appGroups = {AppGroup{"busy", 50, 0, 1, 0}}, s.topProcesses = {ProcStats{.pid = 3, .name = "big"}, busy};
         }},
    };
    for (const auto& c : cases) {
        TickReadings readings;
        readings.powerMeter = PowerMeter::sysfs;  // the meter of the previous tick is still read
        c.read(readings);
        SystemStats expected = previousTick();
        expected.thermalLevel.reset(), expected.processCount = 0;  // what this tick read of them
        c.expect(expected);
        EXPECT_EQ(mergeReadings(previousTick(), readings, c.visible), expected) << c.name;
    }
}

// A discrete GPU draws besides the package the meter measures: its power adds to the GPU figure,
// and to the total when the meter measured the rest.
TEST(MergeReadings, DiscreteGpusAddToTheGpuFigureAndTheMeteredTotal) {
    const auto gpu = [](GpuKind kind, GpuState state, std::optional<double> watts) {
        return GpuStatus{.kind = kind, .state = state, .powerWatts = watts};
    };
    const std::vector<GpuStatus> hybrid{gpu(GpuKind::integrated, GpuState::active, std::nullopt),
                                        gpu(GpuKind::discrete, GpuState::active, 6.2),
                                        gpu(GpuKind::discrete, GpuState::suspended, 0.0)};
    const PowerReading meter{1, 2, 6.5, 3};
    const struct {
        const char* name;
        std::optional<PowerReading> power, latestPower;
        std::vector<GpuStatus> gpus;
        PowerReading expected;
    } cases[] = {
        {"measured this tick", meter, meter, hybrid, {1, 8.2, 12.7, 3}},
        {"no energy this tick: the meter's latest", std::nullopt, meter, hybrid, {1, 8.2, 12.7, 3}},
        {"no meter: the GPU figure alone", std::nullopt, std::nullopt, hybrid, {0, 6.2, 0, 0}},
        {"nothing awake", meter, meter, {gpu(GpuKind::discrete, GpuState::suspended, 0.0)}, meter},
    };
    for (const auto& c : cases) {
        TickReadings readings;
        readings.power = c.power;
        readings.latestPower = c.latestPower;
        readings.powerMeter = c.latestPower ? PowerMeter::sysfs : PowerMeter::none;
        readings.gpus = c.gpus;
        const auto next = mergeReadings(previousTick(), readings, false);
        EXPECT_EQ(static_cast<const PowerReading&>(next), c.expected) << c.name;
        EXPECT_EQ(next.gpus, c.gpus) << c.name;
    }
}

}  // namespace
}  // namespace corvelle
