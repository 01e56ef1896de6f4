#pragma once

#include "model/AppGroup.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Figures of the live snapshot that both the tips and the facts put into words.
namespace corvelle::AdviceFigures {

// Bytes in units of 2^30.
double gigabytes(std::uint64_t bytes);
// "12.5 W".
std::string wattsText(double watts);
// "40%": a percentage rounded to whole units.
std::string wholePercentText(double percent);
// The group holding the most memory (the first of equals); null when there are none.
const AppGroup* largestMemoryUser(const std::vector<AppGroup>& groups);
// The fastest fan; absent without fans.
std::optional<std::int32_t> highestFanSpeed(const std::vector<std::int32_t>& speeds);

}  // namespace corvelle::AdviceFigures
