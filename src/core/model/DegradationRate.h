#pragma once

#include "util/RawValue.h"

#include <string_view>

namespace corvelle {

// How fast the battery wears compared with a nominal 0.02 % of health per cycle.
// Raw values: "Excellent", "Normal", "Accelerated", "Severe".
enum class DegradationRate { excellent, normal, accelerated, severe };

std::string_view toRaw(DegradationRate rate);
template <>
std::optional<DegradationRate> fromRaw<DegradationRate>(std::string_view raw);

}  // namespace corvelle
