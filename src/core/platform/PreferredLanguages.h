#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvelle {

// The user's preferred languages as tags ("es-MX", "en-US"), most preferred first.
using PreferredLanguagesProvider = std::function<std::vector<std::string>()>;

// The provider used by the language rule. Defaults to an empty list (English) until the
// app or a test installs one.
void setPreferredLanguagesProvider(PreferredLanguagesProvider provider);
std::vector<std::string> preferredLanguages();

}  // namespace corvelle
