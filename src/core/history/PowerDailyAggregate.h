#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// A day's power figures in watts, and the energy drawn in watt-hours. All but the battery's come
// from the samples with a power reading only.
struct PowerDailyAggregate {
    double avgSystemWatts = 0;
    double peakSystemWatts = 0;
    double avgBatteryWatts = 0;
    double avgGpuWatts = 0;
    double totalEnergyWh = 0;

    // `count` samples were folded before, `metered` of them with a power reading; `interval` is
    // the polling interval in seconds: the time this sample stands for.
    void fold(const SystemStats& stats, std::int64_t count, std::int64_t metered, double interval);
    bool operator==(const PowerDailyAggregate&) const = default;
};

void to_json(nlohmann::json& json, const PowerDailyAggregate& value);
void from_json(const nlohmann::json& json, PowerDailyAggregate& value);

}  // namespace corvelle
