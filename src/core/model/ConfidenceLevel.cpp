#include "model/ConfidenceLevel.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {
constexpr std::array<std::string_view, 3> names{"Low", "Moderate", "High"};
}

std::string_view toRaw(ConfidenceLevel level) { return rawName(level, names); }

template <>
std::optional<ConfidenceLevel> fromRaw<ConfidenceLevel>(std::string_view raw) {
    return caseNamed<ConfidenceLevel>(raw, names);
}

}  // namespace corvelle
