#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvelle {

// The user's preferred languages as tags ("es-MX", "en-US"), most preferred first.
using PreferredLanguagesProvider = std::function<std::vector<std::string>()>;

}  // namespace corvelle
