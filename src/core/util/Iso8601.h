#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvelle::Iso8601 {

// "2025-06-30T14:05:09Z": UTC, whole seconds (fractions are dropped toward the past).
std::string format(double unixSeconds);

// Parses "YYYY-MM-DDTHH:MM:SSZ" or the same with a "+HH:MM"/"-HH:MM" offset.
// Absent for anything else, including out-of-range fields.
std::optional<double> parse(std::string_view text);

}  // namespace corvelle::Iso8601
