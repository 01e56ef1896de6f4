#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// A day's CPU figures, percent.
struct CPUDailyAggregate {
    double avgTotal = 0;
    double peakTotal = 0;
    double avgECore = 0;
    double avgPCore = 0;
    std::int64_t samplesAbove40 = 0;

    // Folds one sample; `count` is the number of samples of the day before it.
    void fold(const SystemStats& stats, std::int64_t count);
    bool operator==(const CPUDailyAggregate&) const = default;
};

void to_json(nlohmann::json& json, const CPUDailyAggregate& value);
void from_json(const nlohmann::json& json, CPUDailyAggregate& value);

}  // namespace corvelle
