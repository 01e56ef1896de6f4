#pragma once

#include "FuzzCheck.h"

#include "util/JsonFields.h"

namespace corvelle::fuzz {

// Whatever a stored file decodes to must save again, and read back as the same value: a record
// that loads but cannot be written would stop every later save of its file.
template <typename T>
void requireRoundTrip(std::string_view text) {
    const auto value = JsonFields::decodeJson<T>(text);
    if (!value) return;
    const auto encoded = JsonFields::encodeJson(*value);
    require(encoded.has_value(), "a decoded value encodes");
    const auto again = JsonFields::decodeJson<T>(*encoded);
    require(again && *again == *value, "decode, encode, decode gives the same value");
}

}  // namespace corvelle::fuzz
