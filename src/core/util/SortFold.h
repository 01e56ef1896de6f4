#pragma once

#include <string>
#include <string_view>

namespace corvelle {

// The letter a code point sorts as: its simple case folding with the accents of its canonical
// decomposition taken off (É, é and E all give e; ß, ø and ł stay letters of their own).
char32_t sortFolded(char32_t cp);

// The text with every code point sort-folded, as UTF-8 whose byte order is the order in which
// names read alphabetically regardless of case and accents. Invalid sequences become U+FFFD.
std::string sortFolded(std::string_view text);

}  // namespace corvelle
