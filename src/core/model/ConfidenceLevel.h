#pragma once

#include "util/RawValue.h"

#include <string_view>

namespace corvelle {

// How many readings support a health prediction. Raw values: "Low", "Moderate", "High".
enum class ConfidenceLevel { low, moderate, high };

std::string_view toRaw(ConfidenceLevel level);
template <>
std::optional<ConfidenceLevel> fromRaw<ConfidenceLevel>(std::string_view raw);

}  // namespace corvelle
