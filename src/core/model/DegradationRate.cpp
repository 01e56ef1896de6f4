#include "model/DegradationRate.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {
constexpr std::array<std::string_view, 4> names{"Excellent", "Normal", "Accelerated", "Severe"};
}

std::string_view toRaw(DegradationRate rate) { return rawName(rate, names); }

template <>
std::optional<DegradationRate> fromRaw<DegradationRate>(std::string_view raw) {
    return caseNamed<DegradationRate>(raw, names);
}

}  // namespace corvelle
