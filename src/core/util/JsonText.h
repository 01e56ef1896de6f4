#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace corvelle::JsonText {

// Compact text with sorted keys. Absent when the value holds a number that is not finite
// (JSON cannot carry it; nlohmann would silently write null).
std::optional<std::string> encode(const nlohmann::json& value);
// The same for objects that keep their keys in insertion order (request bodies).
std::optional<std::string> encodeOrdered(const nlohmann::ordered_json& value);

// Absent when the text is not JSON.
std::optional<nlohmann::json> decode(std::string_view text);

}  // namespace corvelle::JsonText
