#pragma once

#include <optional>
#include <string_view>

namespace corvelle {

// Enumerations with text raw values specialise this: fromRaw<PinnedWidget>("cpu").
// Absent for any text that names no case (exact, case-sensitive).
template <typename Enum>
std::optional<Enum> fromRaw(std::string_view raw);

}  // namespace corvelle
