#include "analysis/DidYouKnowEngine.h"

#include "util/EnumNames.h"

#include <array>

namespace corvelle {
namespace {
using Category = DidYouKnowEngine::Fact::Category;
constexpr std::array<std::string_view, 4> categoryNames{"Performance", "Power & Battery", "Temperature", "System"};
}  // namespace

std::string_view toRaw(Category category) { return rawName(category, categoryNames); }

template <>
std::optional<Category> fromRaw<Category>(std::string_view raw) {
    return caseNamed<Category>(raw, categoryNames);
}

}  // namespace corvelle
