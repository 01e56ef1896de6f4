#pragma once

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

// Spanish when the first preferred language tag begins with "es", otherwise English.
Language detectLanguage(const std::vector<std::string>& preferredLanguages);
// detectLanguage of the system's preferred languages.
Language detectedLanguage();
// The language setting when it names a language, otherwise the detected one. Evaluated
// afresh on every call.
Language currentLanguage();

}  // namespace corvelle
