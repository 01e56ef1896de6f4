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

void to_json(nlohmann::json& json, const CPUDailyAggregate& value) {
    json = {{"avgTotal", value.avgTotal},
            {"peakTotal", value.peakTotal},
            {"avgECore", value.avgECore},
            {"avgPCore", value.avgPCore},
            {"samplesAbove40", value.samplesAbove40}};
}

void from_json(const nlohmann::json& json, CPUDailyAggregate& value) {
    using namespace JsonFields;
    value.avgTotal = number(json, "avgTotal");
    value.peakTotal = number(json, "peakTotal");
    value.avgECore = number(json, "avgECore");
    value.avgPCore = number(json, "avgPCore");
    value.samplesAbove40 = integer(json, "samplesAbove40");
}

}  // namespace corvelle
