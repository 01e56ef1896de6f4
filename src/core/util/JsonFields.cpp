#include "util/JsonFields.h"

#include "util/Iso8601.h"

#include <cmath>
#include <limits>

namespace corvelle::JsonFields {

const nlohmann::json& at(const nlohmann::json& object, const char* key) {
    if (!object.is_object()) throw ShapeError("not an object");
    const auto found = object.find(key);
    if (found == object.end()) throw ShapeError(std::string("missing ") + key);
    return *found;
}

namespace {

double numberValue(const nlohmann::json& value, const char* key) {
    if (!value.is_number()) throw ShapeError(key);
    return value.get<double>();
}

}  // namespace

double number(const nlohmann::json& object, const char* key) { return numberValue(at(object, key), key); }

std::int64_t integer(const nlohmann::json& object, const char* key) {
    const auto& value = at(object, key);
    if (value.is_number_unsigned()) {
        const auto unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) throw ShapeError(key);
        return static_cast<std::int64_t>(unsignedValue);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    // A whole number written with a decimal point still counts.
    const double real = numberValue(value, key);
    if (real != std::trunc(real) || std::fabs(real) >= 9.2e18) throw ShapeError(key);
    return static_cast<std::int64_t>(real);
}

bool boolean(const nlohmann::json& object, const char* key) {
    const auto& value = at(object, key);
    if (!value.is_boolean()) throw ShapeError(key);
    return value.get<bool>();
}

std::string text(const nlohmann::json& object, const char* key) {
    const auto& value = at(object, key);
    if (!value.is_string()) throw ShapeError(key);
    return value.get<std::string>();
}

double date(const nlohmann::json& object, const char* key) {
    const auto parsed = Iso8601::parse(text(object, key));
    if (!parsed) throw ShapeError(key);
    return *parsed;
}

std::map<std::string, double> numberMap(const nlohmann::json& object, const char* key) {
    const auto& value = at(object, key);
    if (!value.is_object()) throw ShapeError(key);
    std::map<std::string, double> result;
    for (const auto& [name, element] : value.items()) result[name] = numberValue(element, key);
    return result;
}

}  // namespace corvelle::JsonFields
