#pragma once

#include <string>
#include <vector>

namespace corvelle {

// The preferred languages from the locale environment: LANGUAGE (a colon list), then LC_ALL,
// LC_MESSAGES and LANG, as tags ("es_MX.UTF-8" becomes "es-MX"). "C" and "POSIX" are skipped.
std::vector<std::string> environmentPreferredLanguages();

// One locale name as a language tag; empty for "C", "POSIX" or an empty name.
std::string localeToLanguageTag(const std::string& locale);

}  // namespace corvelle
