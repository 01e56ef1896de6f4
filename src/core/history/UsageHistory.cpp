#include "history/UsageHistory.h"

#include "util/JsonFields.h"

namespace corvelle {

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("schemaVersion", &UsageHistory::schemaVersion),
    JsonFields::field("dailySnapshots", &UsageHistory::dailySnapshots));

}  // namespace

void to_json(nlohmann::json& json, const UsageHistory& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, UsageHistory& value) {
    JsonFields::decode(json, value, kFields);
    // The version is written as 1 and not examined: there is no migration.
    value.schemaVersion = UsageHistory{}.schemaVersion;
}

}  // namespace corvelle
