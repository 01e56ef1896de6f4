#pragma once

#include "platform/KeyValueStore.h"

#include <QSettings>

namespace corvelle {

// The user's settings in Qt's per-user settings file. QSettings' text format loses value
// types, so each value is stored with a one-letter type tag ("d:2", "b:1", "s:es", "x:<base64>")
// and a typed read of another type answers nothing, as the seam requires. A value in no such
// form (edited by hand) reads as text.
class QSettingsStore : public KeyValueStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& fileName);

    std::optional<Value> read(const std::string& key) const override;
    void write(const std::string& key, const Value& value) override;
    void remove(const std::string& key) override;
    void refresh() override { settings_.sync(); }

    static QString encode(const Value& value);
    static Value decode(const QString& text);

private:
    mutable QSettings settings_;
};

}  // namespace corvelle
