#pragma once

#include "platform/ChargeLimit.h"
#include "platform/ChargeThresholds.h"

#include <array>
#include <optional>

// The limits a person picks from: three presets and a custom end threshold.
namespace corvelle::ChargeLimitChoice {

inline constexpr std::array<int, 3> presets = {60, 80, 100};
// Where the battery has a start threshold, charging resumes this many points below the limit.
inline constexpr int resumeGap = 5;

// The preset the current end threshold matches; absent for a custom value or no threshold.
std::optional<int> presetOf(const ChargeThresholds& current);

// The limit that stops charging at `end` percent on this battery: with a start threshold when
// it has one (`resumeGap` lower, at least 1).
ChargeLimit limitFor(int end, const ChargeThresholds& current);

}  // namespace corvelle::ChargeLimitChoice
