#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>

namespace corvelle {

// One battery-health reading, at most one per day, identified by its day key.
struct BatteryHealthEntry {
    std::string date;
    double healthPercent = 0;
    std::int64_t cycleCount = 0;
    std::int64_t maxCapacityMAh = 0;
    std::int64_t designCapacityMAh = 0;
    // P-core temperature at the moment of the reading, degrees Celsius.
    double avgTemperature = 0;
    // The day's mean discharge power at the moment of the reading, watts.
    double avgDischargeWatts = 0;

    const std::string& id() const { return date; }
    bool operator==(const BatteryHealthEntry&) const = default;
};

void to_json(nlohmann::json& json, const BatteryHealthEntry& value);
void from_json(const nlohmann::json& json, BatteryHealthEntry& value);

}  // namespace corvelle
