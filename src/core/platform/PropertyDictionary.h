#pragma once

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvelle {

class PropertyValue;
using PropertyArray = std::vector<PropertyValue>;
// A property list: string keys to integers, doubles, booleans, strings, arrays and dictionaries.
// Registry entries and energy-counter samples reach the readers in this form.
using PropertyDictionary = std::map<std::string, PropertyValue, std::less<>>;

// One value of a property list. Integers and doubles are distinct kinds: an integer property
// never reads as a double and the other way round.
class PropertyValue {
public:
    template <std::integral Integer>
        requires(!std::same_as<Integer, bool>)
    PropertyValue(Integer value) : storage_(static_cast<std::int64_t>(value)) {}
    PropertyValue(double value) : storage_(value) {}
    PropertyValue(bool value) : storage_(value) {}
    PropertyValue(std::string value) : storage_(std::move(value)) {}
    PropertyValue(const char* value) : storage_(std::string(value)) {}
    PropertyValue(PropertyArray value) : storage_(std::move(value)) {}
    PropertyValue(PropertyDictionary value) : storage_(std::move(value)) {}

    // The value when it is of kind T, else null.
    template <typename T>
    const T* as() const {
        return std::get_if<T>(&storage_);
    }

    bool operator==(const PropertyValue&) const = default;

private:
    std::variant<std::int64_t, double, bool, std::string, PropertyArray, PropertyDictionary> storage_;
};

// Typed look-ups: absent (or null) when the key is missing or holds a value of another kind.
std::optional<std::int64_t> integerProperty(const PropertyDictionary& properties, std::string_view key);
std::optional<double> doubleProperty(const PropertyDictionary& properties, std::string_view key);
std::optional<bool> booleanProperty(const PropertyDictionary& properties, std::string_view key);
const std::string* stringProperty(const PropertyDictionary& properties, std::string_view key);
const PropertyArray* arrayProperty(const PropertyDictionary& properties, std::string_view key);
const PropertyDictionary* dictionaryProperty(const PropertyDictionary& properties, std::string_view key);

}  // namespace corvelle
