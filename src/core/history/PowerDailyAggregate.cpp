#include "history/PowerDailyAggregate.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void PowerDailyAggregate::fold(const SystemStats& stats, std::int64_t count, std::int64_t metered, double interval) {
    avgBatteryWatts = runningMean(avgBatteryWatts, stats.batteryWatts, count);
    // A tick without a meter says nothing about the system's power: it is not a 0 W sample.
    if (!stats.hasPowerReading()) return;
    const double watts = stats.totalPowerWatts;
    avgSystemWatts = runningMean(avgSystemWatts, watts, metered);
    peakSystemWatts = std::max(peakSystemWatts, watts);
    avgGpuWatts = runningMean(avgGpuWatts, stats.gpuPowerWatts, metered);
    totalEnergyWh += interval / 3600.0 * watts;
}

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("avgSystemWatts", &PowerDailyAggregate::avgSystemWatts),
    JsonFields::field("peakSystemWatts", &PowerDailyAggregate::peakSystemWatts),
    JsonFields::field("avgBatteryWatts", &PowerDailyAggregate::avgBatteryWatts),
    JsonFields::field("avgGpuWatts", &PowerDailyAggregate::avgGpuWatts),
    JsonFields::field("totalEnergyWh", &PowerDailyAggregate::totalEnergyWh));

}  // namespace

void to_json(nlohmann::json& json, const PowerDailyAggregate& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, PowerDailyAggregate& value) {
    JsonFields::decode(json, value, kFields);
}

}  // namespace corvelle
