#pragma once

#include <string>
#include <string_view>

namespace corvelle {

// The pair rule: the Spanish text when the current language is Spanish, the English one
// in every other case.
std::string localized(std::string_view english, std::string_view spanish);

}  // namespace corvelle
