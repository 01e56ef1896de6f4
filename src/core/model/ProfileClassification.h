#pragma once

#include "model/UsageProfile.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <optional>

namespace corvelle {

// The user's usage profile as last classified; stored as profile.json.
struct ProfileClassification {
    UsageProfile primary = UsageProfile::moderate;
    double primaryScore = 0;  // 0 to 1
    // The runner-up, when it scored more than half the primary score; both or neither present.
    std::optional<UsageProfile> secondary;
    std::optional<double> secondaryScore;
    // Seconds since 1970.
    double classifiedAt = 0;
    // Daily records used, at most 7.
    std::int64_t daysAnalyzed = 0;

    bool operator==(const ProfileClassification&) const = default;
};

// Keys equal the field names; absent optionals leave their keys out; the date is ISO 8601 text.
void to_json(nlohmann::json& json, const ProfileClassification& value);
// Refuses an unknown profile name and a runner-up without its score or the reverse.
void from_json(const nlohmann::json& json, ProfileClassification& value);

}  // namespace corvelle
