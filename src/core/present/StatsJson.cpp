#include "present/StatsJson.h"

#include <cmath>
#include <type_traits>

namespace corvelle::StatsJson {
namespace {

using nlohmann::json;

json number(double value) { return std::isfinite(value) ? json(value) : json(nullptr); }
json when(bool present, json value) { return present ? std::move(value) : json(nullptr); }
// A figure whose "no reading" value is 0 or below.
json positive(double value) { return when(value > 0, number(value)); }
json positive(std::int64_t value) { return when(value > 0, json(value)); }

template <typename T, typename Encode>
json list(const std::vector<T>& values, Encode encodeOne) {
    json array = json::array();
    for (const auto& value : values) array.push_back(encodeOne(value));
    return array;
}

json core(const CoreUsage& c) {
    return {{"coreIndex", c.coreIndex}, {"isEfficiency", c.isEfficiency}, {"usage", number(c.usage)}};
}

json process(const ProcStats& p) {
    return {{"pid", p.pid},
            {"name", p.name},
            {"cpuPercent", number(p.cpuPercent)},
            {"memoryBytes", p.memoryBytes},
            {"threadCount", p.threadCount},
            {"energyImpact", number(p.energyImpact)}};
}

json appGroup(const AppGroup& g) {
    return {{"name", g.name},
            {"totalCPU", number(g.totalCPU)},
            {"totalMemory", g.totalMemory},
            {"processCount", g.processCount},
            {"maxEnergyImpact", number(g.maxEnergyImpact)}};
}

json comparison(const ProcessComparison& c) {
    return {{"name", c.name},
            {"currentCPU", number(c.currentCPU)},
            {"baselineCPU", number(c.baselineCPU)},
            {"ratio", number(c.ratio)}};
}

template <typename T>
json optional(const std::optional<T>& value) {
    if constexpr (std::is_floating_point_v<T>) return value ? number(*value) : json(nullptr);
    else return value ? json(*value) : json(nullptr);
}

json gpuClient(const GpuClient& c) {
    return {{"pid", c.pid}, {"name", c.name}, {"busyPercent", optional(c.busyPercent)}, {"memoryBytes", optional(c.memoryBytes)}};
}

json gpu(const GpuStatus& g) {
    return {{"id", g.id},
            {"name", g.name},
            {"driver", g.driver},
            {"kind", toRaw(g.kind)},
            {"state", toRaw(g.state)},
            {"loadPercent", optional(g.loadPercent)},
            {"powerWatts", optional(g.powerWatts)},
            {"temperature", optional(g.temperature)},
            {"memoryUsedBytes", optional(g.memoryUsedBytes)},
            {"memoryTotalBytes", optional(g.memoryTotalBytes)},
            {"clients", list(g.clients, gpuClient)}};
}

json sensor(const SensorReading& r) { return {{"key", r.key}, {"value", number(r.value)}}; }

void addCpu(const SystemStats& s, json& out) {
    const bool cpu = !s.coreUsages.empty();
    out["cpuTotalUsage"] = when(cpu, number(s.cpuTotalUsage));
    out["cpuUserUsage"] = when(cpu, number(s.cpuUserUsage));
    out["cpuSystemUsage"] = when(cpu, number(s.cpuSystemUsage));
    out["coreUsages"] = list(s.coreUsages, core);
    out["eCoreUsages"] = list(s.eCoreUsages, core);
    out["pCoreUsages"] = list(s.pCoreUsages, core);
    out["eCoreAverage"] = when(!s.eCoreUsages.empty(), number(s.eCoreAverage));
    out["pCoreAverage"] = when(!s.pCoreUsages.empty(), number(s.pCoreAverage));
}

void addMemory(const SystemStats& s, json& out) {
    const bool memory = s.memoryTotal > 0;
    out["memoryUsed"] = when(memory, s.memoryUsed);
    out["memoryTotal"] = when(memory, s.memoryTotal);
    out["memoryPressure"] = when(memory, number(s.memoryPressure));
    out["memoryActive"] = when(memory, s.memoryActive);
    out["memoryWired"] = when(memory, s.memoryWired);
    out["memoryCompressed"] = when(memory, s.memoryCompressed);
    out["memoryAppUsed"] = when(memory, s.memoryAppUsed);
}

void addSensorsAndPower(const SystemStats& s, json& out) {
    out["thermalLevel"] = s.thermalLevel ? json(caseName(*s.thermalLevel)) : json(nullptr);
    out["eCoreTemp"] = positive(s.eCoreTemp);
    out["pCoreTemp"] = positive(s.pCoreTemp);
    out["gpuTemp"] = positive(s.gpuTemp);
    out["fanSpeeds"] = s.fanSpeeds;
    json temperatures = json::object();
    for (const auto& [key, value] : s.allTemperatures) temperatures[key] = number(value);
    out["allTemperatures"] = std::move(temperatures);
    out["sortedTemperatures"] = list(s.sortedTemperatures, sensor);
    out["cpuPowerWatts"] = positive(s.cpuPowerWatts);
    out["gpuPowerWatts"] = positive(s.gpuPowerWatts);
    out["totalPowerWatts"] = positive(s.totalPowerWatts);
    out["dramPowerWatts"] = positive(s.dramPowerWatts);
    out["hasPowerMeter"] = s.hasPowerMeter();
    out["powerMeter"] = when(s.powerMeter != PowerMeter::none, std::string(toRaw(s.powerMeter)));
    out["diskReadBytesPerSec"] = s.diskReadBytesPerSec;
    out["diskWriteBytesPerSec"] = s.diskWriteBytesPerSec;
    out["networkInBytesPerSec"] = s.networkInBytesPerSec;
    out["networkOutBytesPerSec"] = s.networkOutBytesPerSec;
}

void addBattery(const SystemStats& s, json& out) {
    const bool battery = s.batteryIsPresent;
    out["batteryPercentage"] = when(battery && s.batteryPercentage, number(s.batteryPercentage.value_or(0)));
    out["batteryChargeLevel"] =
        when(battery && s.batteryChargeLevel, std::string(toRaw(s.batteryChargeLevel.value_or(ChargeLevel::full))));
    out["batteryWatts"] = when(battery, number(s.batteryWatts));
    out["batteryIsCharging"] = when(battery, s.batteryIsCharging);
    out["batteryIsPluggedIn"] = when(battery, s.batteryIsPluggedIn);
    out["batteryHealthPercent"] = when(battery && s.batteryHealthPercent > 0, number(s.batteryHealthPercent));
    out["batteryCycleCount"] = when(battery, positive(s.batteryCycleCount));
    out["batteryTimeRemaining"] = when(battery, positive(s.batteryTimeRemaining));
    out["batteryMaxCapacityMAh"] = when(battery, positive(s.batteryMaxCapacityMAh));
    out["batteryDesignCapacityMAh"] = when(battery, positive(s.batteryDesignCapacityMAh));
    out["batteryAdapterWatts"] = when(battery, positive(s.batteryAdapterWatts));
    out["systemBaselineWatts"] = positive(s.systemBaselineWatts);
}

}  // namespace

json encode(const SystemStats& stats) {
    json out = json::object();
    addCpu(stats, out);
    out["topProcesses"] = list(stats.topProcesses, process);
    out["processCount"] = positive(stats.processCount);
    out["appGroups"] = list(stats.appGroups, appGroup);
    addMemory(stats, out);
    addSensorsAndPower(stats, out);
    addBattery(stats, out);
    out["processComparisons"] = list(stats.processComparisons, comparison);
    out["gpus"] = list(stats.gpus, gpu);
    return out;
}

}  // namespace corvelle::StatsJson
