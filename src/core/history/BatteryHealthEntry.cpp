#include "history/BatteryHealthEntry.h"

#include "history/LocalCalendar.h"
#include "util/JsonFields.h"

namespace corvelle {

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("date", &BatteryHealthEntry::date),
    JsonFields::field("healthPercent", &BatteryHealthEntry::healthPercent),
    JsonFields::field("cycleCount", &BatteryHealthEntry::cycleCount),
    JsonFields::field("maxCapacityMAh", &BatteryHealthEntry::maxCapacityMAh),
    JsonFields::field("designCapacityMAh", &BatteryHealthEntry::designCapacityMAh),
    JsonFields::field("avgTemperature", &BatteryHealthEntry::avgTemperature),
    JsonFields::field("avgDischargeWatts", &BatteryHealthEntry::avgDischargeWatts));

}  // namespace

void to_json(nlohmann::json& json, const BatteryHealthEntry& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, BatteryHealthEntry& value) {
    JsonFields::decode(json, value, kFields);
    if (!LocalCalendar::dayNumber(value.date)) throw JsonFields::ShapeError("date");
}

}  // namespace corvelle
