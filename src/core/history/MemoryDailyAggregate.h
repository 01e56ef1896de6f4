#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// A day's memory figures: pressure in percent, used memory in GiB.
struct MemoryDailyAggregate {
    double avgPressure = 0;
    double peakPressure = 0;
    double avgUsedGB = 0;

    void fold(const SystemStats& stats, std::int64_t count);
    bool operator==(const MemoryDailyAggregate&) const = default;
};

void to_json(nlohmann::json& json, const MemoryDailyAggregate& value);
void from_json(const nlohmann::json& json, MemoryDailyAggregate& value);

}  // namespace corvelle
