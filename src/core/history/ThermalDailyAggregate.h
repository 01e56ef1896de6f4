#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// A day's thermal pressure (levels on the 0 to 90 scale of ThermalLevel) and P-core
// temperature in degrees Celsius.
struct ThermalDailyAggregate {
    std::int64_t peakLevel = 0;
    double timeAboveNominalSeconds = 0;
    std::int64_t samplesAboveHeavy = 0;
    double avgPCoreTemp = 0;

    void fold(const SystemStats& stats, std::int64_t count, double interval);
    bool operator==(const ThermalDailyAggregate&) const = default;
};

void to_json(nlohmann::json& json, const ThermalDailyAggregate& value);
void from_json(const nlohmann::json& json, ThermalDailyAggregate& value);

}  // namespace corvelle
