#include "platform/PropertyDictionary.h"

namespace corvelle {
namespace {

template <typename T>
const T* property(const PropertyDictionary& properties, std::string_view key) {
    const auto found = properties.find(key);
    return found == properties.end() ? nullptr : found->second.as<T>();
}

template <typename T>
std::optional<T> copied(const T* value) {
    return value ? std::optional<T>(*value) : std::nullopt;
}

}  // namespace

std::optional<std::int64_t> integerProperty(const PropertyDictionary& properties, std::string_view key) {
    return copied(property<std::int64_t>(properties, key));
}

std::optional<double> doubleProperty(const PropertyDictionary& properties, std::string_view key) {
    return copied(property<double>(properties, key));
}

std::optional<bool> booleanProperty(const PropertyDictionary& properties, std::string_view key) {
    return copied(property<bool>(properties, key));
}

const std::string* stringProperty(const PropertyDictionary& properties, std::string_view key) {
    return property<std::string>(properties, key);
}

const PropertyArray* arrayProperty(const PropertyDictionary& properties, std::string_view key) {
    return property<PropertyArray>(properties, key);
}

const PropertyDictionary* dictionaryProperty(const PropertyDictionary& properties, std::string_view key) {
    return property<PropertyDictionary>(properties, key);
}

}  // namespace corvelle
