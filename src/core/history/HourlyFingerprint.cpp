#include "history/HourlyFingerprint.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void HourlyFingerprint::fold(const SystemStats& stats) {
    avgCPU = runningMean(avgCPU, stats.cpuTotalUsage, sampleCount);
    avgWatts = runningMean(avgWatts, stats.totalPowerWatts, sampleCount);
    avgMemoryPressure = runningMean(avgMemoryPressure, stats.memoryPressure, sampleCount);
    peakCPU = std::max(peakCPU, stats.cpuTotalUsage);
    ++sampleCount;
}

void to_json(nlohmann::json& json, const HourlyFingerprint& value) {
    json = {{"hour", value.hour},
            {"avgCPU", value.avgCPU},
            {"avgWatts", value.avgWatts},
            {"avgMemoryPressure", value.avgMemoryPressure},
            {"peakCPU", value.peakCPU},
            {"sampleCount", value.sampleCount}};
}

void from_json(const nlohmann::json& json, HourlyFingerprint& value) {
    using namespace JsonFields;
    value.hour = integer(json, "hour");
    value.avgCPU = number(json, "avgCPU");
    value.avgWatts = number(json, "avgWatts");
    value.avgMemoryPressure = number(json, "avgMemoryPressure");
    value.peakCPU = number(json, "peakCPU");
    value.sampleCount = integer(json, "sampleCount");
}

}  // namespace corvelle
