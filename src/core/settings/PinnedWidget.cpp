#include "settings/PinnedWidget.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {
constexpr std::array<std::string_view, 5> names{"battery", "cpu", "temperature", "power", "memory"};
}

std::string_view toRaw(PinnedWidget widget) { return rawName(widget, names); }

template <>
std::optional<PinnedWidget> fromRaw<PinnedWidget>(std::string_view raw) {
    return caseNamed<PinnedWidget>(raw, names);
}

}  // namespace corvelle
