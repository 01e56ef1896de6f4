#include "localization/Language.h"

#include "platform/PreferredLanguages.h"
#include "settings/AppSettings.h"
#include "util/EnumNames.h"

namespace corvelle {
namespace {
constexpr std::array<std::string_view, 2> names{"en", "es"};
}

std::string_view toRaw(Language language) { return rawName(language, names); }

template <>
std::optional<Language> fromRaw<Language>(std::string_view raw) {
    return caseNamed<Language>(raw, names);
}

Language detectLanguage(const std::vector<std::string>& preferredLanguages) {
    const std::string first = preferredLanguages.empty() ? "en" : preferredLanguages.front();
    return first.rfind("es", 0) == 0 ? Language::es : Language::en;
}

Language detectedLanguage() { return detectLanguage(preferredLanguages()); }

Language currentLanguage() {
    if (auto chosen = fromRaw<Language>(AppSettings::shared().languageRaw())) return *chosen;
    return detectedLanguage();
}

}  // namespace corvelle
