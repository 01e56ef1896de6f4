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

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("peakLevel", &ThermalDailyAggregate::peakLevel),
    JsonFields::field("timeAboveNominalSeconds", &ThermalDailyAggregate::timeAboveNominalSeconds),
    JsonFields::field("samplesAboveHeavy", &ThermalDailyAggregate::samplesAboveHeavy),
    JsonFields::field("avgPCoreTemp", &ThermalDailyAggregate::avgPCoreTemp));

}  // namespace

void to_json(nlohmann::json& json, const ThermalDailyAggregate& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, ThermalDailyAggregate& value) {
    JsonFields::decode(json, value, kFields);
}

}  // namespace corvelle
