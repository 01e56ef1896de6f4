#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "util/JsonText.h"

// Strict reading of stored records: every key must be present with a value of its own type
// (no bool-as-number, no 1.5-as-integer). Decoders throw inside a decode; decodeJson turns any
// failure into "no value", so nothing throws past it.
namespace corvelle::JsonFields {

struct ShapeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const nlohmann::json& at(const nlohmann::json& object, const char* key);
double number(const nlohmann::json& object, const char* key);
std::int64_t integer(const nlohmann::json& object, const char* key);
bool boolean(const nlohmann::json& object, const char* key);
std::string text(const nlohmann::json& object, const char* key);
// ISO 8601 text, as seconds since 1970.
double date(const nlohmann::json& object, const char* key);
std::map<std::string, double> numberMap(const nlohmann::json& object, const char* key);

// A nested record or a list of them, through the record's own from_json.
template <typename T>
T record(const nlohmann::json& object, const char* key) {
    return at(object, key).get<T>();
}
template <typename T>
std::vector<T> records(const nlohmann::json& object, const char* key) {
    const auto& list = at(object, key);
    if (!list.is_array()) throw ShapeError(key);
    return list.get<std::vector<T>>();
}

// Compact, sorted-key text of a record; absent when it holds a number that is not finite.
template <typename T>
std::optional<std::string> encodeJson(const T& value) {
    return JsonText::encode(nlohmann::json(value));
}

// The record in a JSON value; absent when it is not of the record's shape.
template <typename T>
std::optional<T> decodeValue(const nlohmann::json& json) {
    try {
        return json.get<T>();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The record in a text; absent when the text is not JSON or not of the record's shape.
template <typename T>
std::optional<T> decodeJson(std::string_view text) {
    auto json = JsonText::decode(text);
    if (!json) return std::nullopt;
    return decodeValue<T>(*json);
}

}  // namespace corvelle::JsonFields
