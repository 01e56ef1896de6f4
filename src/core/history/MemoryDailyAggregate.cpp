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

void to_json(nlohmann::json& json, const MemoryDailyAggregate& value) {
    json = {{"avgPressure", value.avgPressure}, {"peakPressure", value.peakPressure}, {"avgUsedGB", value.avgUsedGB}};
}

void from_json(const nlohmann::json& json, MemoryDailyAggregate& value) {
    using namespace JsonFields;
    value.avgPressure = number(json, "avgPressure");
    value.peakPressure = number(json, "peakPressure");
    value.avgUsedGB = number(json, "avgUsedGB");
}

}  // namespace corvelle
