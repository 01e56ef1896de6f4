#include "history/HourlyFingerprint.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void HourlyFingerprint::fold(const SystemStats& stats) {
    avgCPU = runningMean(avgCPU, stats.cpuTotalUsage, sampleCount);
    if (stats.hasPowerReading()) {
        avgWatts = runningMean(avgWatts, stats.totalPowerWatts, meteredSamples);
        ++meteredSamples;
    }
    avgMemoryPressure = runningMean(avgMemoryPressure, stats.memoryPressure, sampleCount);
    peakCPU = std::max(peakCPU, stats.cpuTotalUsage);
    ++sampleCount;
}

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("hour", &HourlyFingerprint::hour),
    JsonFields::field("avgCPU", &HourlyFingerprint::avgCPU),
    JsonFields::field("avgWatts", &HourlyFingerprint::avgWatts),
    JsonFields::field("avgMemoryPressure", &HourlyFingerprint::avgMemoryPressure),
    JsonFields::field("peakCPU", &HourlyFingerprint::peakCPU),
    JsonFields::field("sampleCount", &HourlyFingerprint::sampleCount),
    JsonFields::addedLaterField("meteredSamples", &HourlyFingerprint::meteredSamples));

}  // namespace

void to_json(nlohmann::json& json, const HourlyFingerprint& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, HourlyFingerprint& value) {
    JsonFields::decode(json, value, kFields);
    // Hours stored before meters could come and go: every sample had a reading, unless the
    // machine had no meter and stored 0 W.
    if (!json.contains("meteredSamples")) value.meteredSamples = value.avgWatts > 0 ? value.sampleCount : 0;
    if (value.meteredSamples < 0 || value.meteredSamples > value.sampleCount) throw JsonFields::ShapeError("meteredSamples");
}

}  // namespace corvelle
