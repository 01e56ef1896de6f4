#include "history/MemoryDailyAggregate.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>
#include <cmath>

namespace corvelle {

void MemoryDailyAggregate::fold(const SystemStats& stats, std::int64_t count) {
    avgPressure = runningMean(avgPressure, stats.memoryPressure, count);
    peakPressure = std::max(peakPressure, stats.memoryPressure);
    avgUsedGB = runningMean(avgUsedGB, std::ldexp(static_cast<double>(stats.memoryUsed), -30), count);
}

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("avgPressure", &MemoryDailyAggregate::avgPressure),
    JsonFields::field("peakPressure", &MemoryDailyAggregate::peakPressure),
    JsonFields::field("avgUsedGB", &MemoryDailyAggregate::avgUsedGB));

}  // namespace

void to_json(nlohmann::json& json, const MemoryDailyAggregate& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, MemoryDailyAggregate& value) {
    JsonFields::decode(json, value, kFields);
}

}  // namespace corvelle
