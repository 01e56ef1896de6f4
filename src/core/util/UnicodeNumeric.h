#pragma once

namespace corvelle {

// True for a code point that carries a Unicode numeric value: decimal digits of every script,
// letter numbers (Roman numerals), other numbers (superscripts, fractions, circled digits) and
// ideographs used as numerals.
bool hasNumericValue(char32_t cp);

}  // namespace corvelle
