#include "history/PowerDailyAggregate.h"

#include "history/RunningMean.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void PowerDailyAggregate::fold(const SystemStats& stats, std::int64_t count, double interval) {
    const double watts = stats.totalPowerWatts;
    avgSystemWatts = runningMean(avgSystemWatts, watts, count);
    peakSystemWatts = std::max(peakSystemWatts, watts);
    avgBatteryWatts = runningMean(avgBatteryWatts, stats.batteryWatts, count);
    avgGpuWatts = runningMean(avgGpuWatts, stats.gpuPowerWatts, count);
    totalEnergyWh += interval / 3600.0 * watts;
}

void to_json(nlohmann::json& json, const PowerDailyAggregate& value) {
    json = {{"avgSystemWatts", value.avgSystemWatts},
            {"peakSystemWatts", value.peakSystemWatts},
            {"avgBatteryWatts", value.avgBatteryWatts},
            {"avgGpuWatts", value.avgGpuWatts},
            {"totalEnergyWh", value.totalEnergyWh}};
}

void from_json(const nlohmann::json& json, PowerDailyAggregate& value) {
    using namespace JsonFields;
    value.avgSystemWatts = number(json, "avgSystemWatts");
    value.peakSystemWatts = number(json, "peakSystemWatts");
    value.avgBatteryWatts = number(json, "avgBatteryWatts");
    value.avgGpuWatts = number(json, "avgGpuWatts");
    value.totalEnergyWh = number(json, "totalEnergyWh");
}

}  // namespace corvelle
