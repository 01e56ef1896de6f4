#pragma once

#include "platform/KeyValueStore.h"

#include <map>
#include <memory>

namespace corvelle {

// Reads through to another store and keeps its own writes in memory, so a process can follow
// the user's settings, change some for itself and never write them back.
class OverlayKeyValueStore : public KeyValueStore {
public:
    explicit OverlayKeyValueStore(std::shared_ptr<const KeyValueStore> base) : base_(std::move(base)) {}

    std::optional<Value> read(const std::string& key) const override {
        const auto own = overlay_.find(key);
        return own != overlay_.end() ? own->second : base_->read(key);
    }
    void write(const std::string& key, const Value& value) override { overlay_[key] = value; }
    void remove(const std::string& key) override { overlay_[key] = std::nullopt; }

private:
    std::shared_ptr<const KeyValueStore> base_;
    std::map<std::string, std::optional<Value>> overlay_;  // none: removed here
};

}  // namespace corvelle
