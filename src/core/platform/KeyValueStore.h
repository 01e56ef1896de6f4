#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace corvelle {

using Bytes = std::vector<std::uint8_t>;

// The user's persistent preferences store. Typed reads answer nothing when the key is
// absent or holds a value of another type, so callers fall back to their default.
class KeyValueStore {
public:
    using Value = std::variant<double, std::int64_t, bool, std::string, Bytes>;

    virtual ~KeyValueStore() = default;
    virtual std::optional<Value> read(const std::string& key) const = 0;
    virtual void write(const std::string& key, const Value& value) = 0;
    virtual void remove(const std::string& key) = 0;
    // Takes in what another program changed in the stored file since it was last read; a store
    // kept in memory has nothing to take in.
    virtual void refresh() {}

    std::optional<double> readDouble(const std::string& key) const { return as<double>(key); }
    std::optional<std::int64_t> readInt(const std::string& key) const { return as<std::int64_t>(key); }
    std::optional<bool> readBool(const std::string& key) const { return as<bool>(key); }
    std::optional<std::string> readString(const std::string& key) const { return as<std::string>(key); }
    std::optional<Bytes> readBytes(const std::string& key) const { return as<Bytes>(key); }

private:
    template <typename T>
    std::optional<T> as(const std::string& key) const {
        auto value = read(key);
        if (!value || !std::holds_alternative<T>(*value)) return std::nullopt;
        return std::get<T>(*value);
    }
};

}  // namespace corvelle
