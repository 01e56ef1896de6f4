#pragma once

#include "util/RawValue.h"

#include <array>
#include <string_view>

namespace corvelle {

// The kinds of user the profile engine tells apart. The order is also the tie-break order.
// Raw values (the JSON form): "Light", "Moderate", "Power User", "Creative", "Developer",
// "Meeting Machine".
enum class UsageProfile { light, moderate, powerUser, creative, developer, meeting };

inline constexpr std::array<UsageProfile, 6> allUsageProfiles{UsageProfile::light,    UsageProfile::moderate,
                                                              UsageProfile::powerUser, UsageProfile::creative,
                                                              UsageProfile::developer, UsageProfile::meeting};

std::string_view toRaw(UsageProfile profile);
template <>
std::optional<UsageProfile> fromRaw<UsageProfile>(std::string_view raw);

}  // namespace corvelle
