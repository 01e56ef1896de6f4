#include "model/UsageProfile.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {
constexpr std::array<std::string_view, 6> names{"Light",    "Moderate",  "Power User",
                                                "Creative", "Developer", "Meeting Machine"};
}

std::string_view toRaw(UsageProfile profile) { return rawName(profile, names); }

template <>
std::optional<UsageProfile> fromRaw<UsageProfile>(std::string_view raw) {
    return caseNamed<UsageProfile>(raw, names);
}

}  // namespace corvelle
