#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

#include "util/Iso8601.h"
#include "util/JsonText.h"
#include "util/RawValue.h"

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

// One stored key and the record member it holds, for a table of a record's fields that both
// encodes and decodes it. The member's type picks the JSON form: numbers, integers, booleans,
// texts, number maps, nested records and lists of them, enumerations by their raw names;
// an optional member is a key that may be missing. `AsDate` stores seconds since 1970 as
// ISO 8601 text. `AddedLater` is a key that files written before it existed lack: when it is
// missing the member keeps the value it has.
struct AsDate {};
struct AddedLater {};
template <typename T, typename M, typename Form = M>
struct Field {
    const char* key;
    M T::*member;
};
template <typename T, typename M>
constexpr Field<T, M> field(const char* key, M T::*member) {
    return {key, member};
}
template <typename T>
constexpr Field<T, double, AsDate> dateField(const char* key, double T::*member) {
    return {key, member};
}
template <typename T, typename M>
constexpr Field<T, M, AddedLater> addedLaterField(const char* key, M T::*member) {
    return {key, member};
}

namespace detail {

template <typename T, typename M, typename Form>
Form formOf(const Field<T, M, Form>&);

template <typename M>
struct IsOptional : std::false_type {};
template <typename M>
struct IsOptional<std::optional<M>> : std::true_type {};
template <typename M>
struct IsVector : std::false_type {};
template <typename M>
struct IsVector<std::vector<M>> : std::true_type {};

template <typename Form, typename M>
M read(const nlohmann::json& object, const char* key) {
    if constexpr (std::is_same_v<Form, AsDate>) {
        return date(object, key);
    } else if constexpr (IsOptional<M>::value) {
        if (!object.is_object() || !object.contains(key)) return std::nullopt;
        return read<typename M::value_type, typename M::value_type>(object, key);
    } else if constexpr (std::is_same_v<M, double>) {
        return number(object, key);
    } else if constexpr (std::is_same_v<M, std::int64_t>) {
        return integer(object, key);
    } else if constexpr (std::is_same_v<M, bool>) {
        return boolean(object, key);
    } else if constexpr (std::is_same_v<M, std::string>) {
        return text(object, key);
    } else if constexpr (std::is_same_v<M, std::map<std::string, double>>) {
        return numberMap(object, key);
    } else if constexpr (IsVector<M>::value) {
        return records<typename M::value_type>(object, key);
    } else if constexpr (std::is_enum_v<M>) {
        const auto value = fromRaw<M>(text(object, key));
        if (!value) throw ShapeError(key);
        return *value;
    } else {
        return record<M>(object, key);
    }
}

template <typename Form, typename M>
void readInto(const nlohmann::json& object, const char* key, M& member) {
    if constexpr (std::is_same_v<Form, AddedLater>) {
        if (object.is_object() && !object.contains(key)) return;
        member = read<M, M>(object, key);
    } else {
        member = read<Form, M>(object, key);
    }
}

template <typename Form, typename M>
void write(nlohmann::json& object, const char* key, const M& value) {
    if constexpr (std::is_same_v<Form, AsDate>) {
        object[key] = Iso8601::format(value);
    } else if constexpr (IsOptional<M>::value) {
        if (value) write<typename M::value_type>(object, key, *value);
    } else if constexpr (std::is_enum_v<M>) {
        object[key] = toRaw(value);
    } else {
        object[key] = value;
    }
}

}  // namespace detail

// The record's fields as a JSON object, one key per row of the table.
template <typename T, typename... Rows>
void encode(nlohmann::json& json, const T& value, const std::tuple<Rows...>& table) {
    json = nlohmann::json::object();
    std::apply([&](const auto&... row) { (detail::write<decltype(detail::formOf(row))>(json, row.key, value.*row.member), ...); },
               table);
}

// Every row's key read into its member; throws on a missing key (but one added later) or a value
// of another shape.
template <typename T, typename... Rows>
void decode(const nlohmann::json& json, T& value, const std::tuple<Rows...>& table) {
    std::apply(
        [&](const auto&... row) { (detail::readInto<decltype(detail::formOf(row))>(json, row.key, value.*row.member), ...); },
        table);
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
