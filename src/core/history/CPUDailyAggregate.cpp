#include "history/CPUDailyAggregate.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void CPUDailyAggregate::fold(const SystemStats& stats, std::int64_t count) {
    const double total = stats.cpuTotalUsage;
    avgTotal = runningMean(avgTotal, total, count);
    peakTotal = std::max(peakTotal, total);
    avgECore = runningMean(avgECore, stats.eCoreAverage, count);
    avgPCore = runningMean(avgPCore, stats.pCoreAverage, count);
    if (total > 40.0) ++samplesAbove40;
}

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("avgTotal", &CPUDailyAggregate::avgTotal),
    JsonFields::field("peakTotal", &CPUDailyAggregate::peakTotal),
    JsonFields::field("avgECore", &CPUDailyAggregate::avgECore),
    JsonFields::field("avgPCore", &CPUDailyAggregate::avgPCore),
    JsonFields::field("samplesAbove40", &CPUDailyAggregate::samplesAbove40));

}  // namespace

void to_json(nlohmann::json& json, const CPUDailyAggregate& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, CPUDailyAggregate& value) {
    JsonFields::decode(json, value, kFields);
}

}  // namespace corvelle
