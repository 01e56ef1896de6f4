#pragma once

#include "platform/PreferredLanguages.h"
#include "util/RawValue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

enum class Language { en, es };

inline constexpr std::array<Language, 2> allLanguages{Language::en, Language::es};

std::string_view toRaw(Language language);
// Exactly "en" or "es"; anything else, the empty string included, is no language.
template <>
std::optional<Language> fromRaw<Language>(std::string_view raw);

// The language setting when it names a language; otherwise Spanish when the first preferred
// language tag begins with "es", and English in every other case.
Language languageFor(std::string_view setting, const std::vector<std::string>& preferredLanguages);

// Installs the system's preferred languages for currentLanguage: once, in main, before the first text.
void installLanguageLookup(PreferredLanguagesProvider preferredLanguages);
// languageFor the shared settings' language setting and the installed preferred languages,
// evaluated afresh on every call.
Language currentLanguage();

}  // namespace corvelle
