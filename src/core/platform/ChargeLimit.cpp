#include "platform/ChargeLimit.h"

namespace corvelle {
namespace {

bool inRange(int percent) { return percent >= 1 && percent <= 100; }

}  // namespace

ChargeLimitProblem problemOf(const ChargeLimit& limit) {
    if (!inRange(limit.end) || (limit.start && !inRange(*limit.start))) return ChargeLimitProblem::outOfRange;
    if (limit.start && *limit.start >= limit.end) return ChargeLimitProblem::startNotBelowEnd;
    return ChargeLimitProblem::none;
}

bool writeEndFirst(const ChargeThresholds& current, const ChargeLimit& requested) {
    return current.end && requested.end > *current.end;
}

}  // namespace corvelle
