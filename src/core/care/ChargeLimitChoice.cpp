#include "care/ChargeLimitChoice.h"

#include <algorithm>

namespace corvelle::ChargeLimitChoice {

std::optional<int> presetOf(const ChargeThresholds& current) {
    if (!current.end || std::find(presets.begin(), presets.end(), *current.end) == presets.end()) return std::nullopt;
    return current.end;
}

ChargeLimit limitFor(int end, const ChargeThresholds& current) {
    ChargeLimit limit{.start = std::nullopt, .end = end};
    if (current.start) limit.start = std::max(1, end - resumeGap);
    return limit;
}

}  // namespace corvelle::ChargeLimitChoice
