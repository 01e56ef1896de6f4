#pragma once

#include "history/DailySnapshot.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <vector>

namespace corvelle {

// The content of the daily file: one record per day, in stored order.
struct UsageHistory {
    std::int64_t schemaVersion = 1;
    std::vector<DailySnapshot> dailySnapshots;

    bool operator==(const UsageHistory&) const = default;
};

void to_json(nlohmann::json& json, const UsageHistory& value);
void from_json(const nlohmann::json& json, UsageHistory& value);

}  // namespace corvelle
