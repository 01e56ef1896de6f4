#include "history/UsageHistory.h"

#include "util/JsonFields.h"

namespace corvelle {

void to_json(nlohmann::json& json, const UsageHistory& value) {
    json = {{"schemaVersion", value.schemaVersion}, {"dailySnapshots", value.dailySnapshots}};
}

void from_json(const nlohmann::json& json, UsageHistory& value) {
    // The version is written as 1 and not examined: there is no migration.
    JsonFields::integer(json, "schemaVersion");
    value.dailySnapshots = JsonFields::records<DailySnapshot>(json, "dailySnapshots");
}

}  // namespace corvelle
