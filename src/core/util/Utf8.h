#pragma once

#include <string>
#include <string_view>

namespace corvelle::Utf8 {

// The code point starting at text[pos]; advances pos past it. An invalid or truncated sequence
// (overlong forms, surrogates, values past U+10FFFF) yields U+FFFD and advances one byte.
char32_t next(std::string_view text, size_t& pos);

// The text with every invalid sequence replaced by U+FFFD.
std::string repaired(std::string_view text);

}  // namespace corvelle::Utf8
