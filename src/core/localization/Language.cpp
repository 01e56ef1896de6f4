#include "localization/Language.h"

#include "settings/AppSettings.h"
#include "util/EnumNames.h"
#include "util/InstalledOnce.h"

namespace corvelle {
namespace {

// The settings decide which codes are languages; the enumeration follows their order.
constexpr const auto& names = AppSettings::languageCodes;

InstalledOnce<PreferredLanguagesProvider>& installedPreferredLanguages() {
    static InstalledOnce<PreferredLanguagesProvider> instance("the language lookup");
    return instance;
}

}  // namespace

std::string_view toRaw(Language language) { return rawName(language, names); }

template <>
std::optional<Language> fromRaw<Language>(std::string_view raw) {
    return caseNamed<Language>(raw, names);
}

Language languageFor(std::string_view setting, const std::vector<std::string>& preferredLanguages) {
    if (auto chosen = fromRaw<Language>(setting)) return *chosen;
    const std::string first = preferredLanguages.empty() ? "en" : preferredLanguages.front();
    return first.rfind("es", 0) == 0 ? Language::es : Language::en;
}

void installLanguageLookup(PreferredLanguagesProvider preferredLanguages) {
    installedPreferredLanguages().install(std::move(preferredLanguages));
}

Language currentLanguage() {
    return languageFor(AppSettings::shared().languageRaw(), installedPreferredLanguages().get()());
}

}  // namespace corvelle
