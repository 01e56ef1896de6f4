#include "history/BatteryHealthEntry.h"

#include "util/JsonFields.h"

namespace corvelle {

void to_json(nlohmann::json& json, const BatteryHealthEntry& value) {
    json = {{"date", value.date},
            {"healthPercent", value.healthPercent},
            {"cycleCount", value.cycleCount},
            {"maxCapacityMAh", value.maxCapacityMAh},
            {"designCapacityMAh", value.designCapacityMAh},
            {"avgTemperature", value.avgTemperature},
            {"avgDischargeWatts", value.avgDischargeWatts}};
}

void from_json(const nlohmann::json& json, BatteryHealthEntry& value) {
    using namespace JsonFields;
    value.date = text(json, "date");
    value.healthPercent = number(json, "healthPercent");
    value.cycleCount = integer(json, "cycleCount");
    value.maxCapacityMAh = integer(json, "maxCapacityMAh");
    value.designCapacityMAh = integer(json, "designCapacityMAh");
    value.avgTemperature = number(json, "avgTemperature");
    value.avgDischargeWatts = number(json, "avgDischargeWatts");
}

}  // namespace corvelle
