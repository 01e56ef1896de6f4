#pragma once

#include "model/AppGroup.h"

#include <cstddef>
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
// A per-core percentage (100 is one core busy) as a share of the whole machine: divided by the
// core count, never above 100.
double machineShare(double perCorePercent, std::size_t coreCount);
// The fastest fan; absent without fans.
std::optional<std::int32_t> highestFanSpeed(const std::vector<std::int32_t>& speeds);

}  // namespace corvelle::AdviceFigures
