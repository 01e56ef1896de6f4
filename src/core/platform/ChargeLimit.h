#pragma once

#include "platform/ChargeThresholds.h"

#include <optional>

namespace corvelle {

// A requested charge limit: stop charging at `end` percent and, for a battery with a start
// threshold, resume below `start` percent.
struct ChargeLimit {
    std::optional<int> start;
    int end = 100;

    bool operator==(const ChargeLimit&) const = default;
};

enum class ChargeLimitProblem { none, outOfRange, startNotBelowEnd };

// What is wrong with a limit: each threshold from 1 to 100, the start below the end.
ChargeLimitProblem problemOf(const ChargeLimit& limit);

// Whether the end threshold must be written before the start one. The kernel refuses a start
// at or above the end at every step: raising the end goes first, lowering it goes last.
bool writeEndFirst(const ChargeThresholds& current, const ChargeLimit& requested);

}  // namespace corvelle
