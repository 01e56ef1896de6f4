#include "history/ThermalDailyAggregate.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void ThermalDailyAggregate::fold(const SystemStats& stats, std::int64_t count, double interval) {
    const auto level = stats.thermalLevel.value_or(ThermalLevel::nominal);
    peakLevel = std::max<std::int64_t>(peakLevel, toRaw(level));
    if (level != ThermalLevel::nominal) timeAboveNominalSeconds += interval;
    if (toRaw(level) >= toRaw(ThermalLevel::heavy)) ++samplesAboveHeavy;
    avgPCoreTemp = runningMean(avgPCoreTemp, stats.pCoreTemp, count);
}

void to_json(nlohmann::json& json, const ThermalDailyAggregate& value) {
    json = {{"peakLevel", value.peakLevel},
            {"timeAboveNominalSeconds", value.timeAboveNominalSeconds},
            {"samplesAboveHeavy", value.samplesAboveHeavy},
            {"avgPCoreTemp", value.avgPCoreTemp}};
}

void from_json(const nlohmann::json& json, ThermalDailyAggregate& value) {
    using namespace JsonFields;
    value.peakLevel = integer(json, "peakLevel");
    value.timeAboveNominalSeconds = number(json, "timeAboveNominalSeconds");
    value.samplesAboveHeavy = integer(json, "samplesAboveHeavy");
    value.avgPCoreTemp = number(json, "avgPCoreTemp");
}

}  // namespace corvelle
