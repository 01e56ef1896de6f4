#pragma once

#include "platform/KeyValueStore.h"

#include <map>
#include <mutex>

namespace corvelle {

// A key-value store held in memory: the default before the app installs its persistent
// store, and the store of tests.
class MemoryKeyValueStore : public KeyValueStore {
public:
    std::optional<Value> read(const std::string& key) const override {
        std::lock_guard lock(mutex_);
        auto found = values_.find(key);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void write(const std::string& key, const Value& value) override {
        std::lock_guard lock(mutex_);
        values_[key] = value;
    }
    void remove(const std::string& key) override {
        std::lock_guard lock(mutex_);
        values_.erase(key);
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, Value> values_;
};

}  // namespace corvelle
