#include "history/BatteryDailyAggregate.h"

#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <algorithm>

namespace corvelle {

void BatteryDailyAggregate::fold(const SystemStats& stats, double interval) {
    // A machine without a battery has no battery day: its figures stay those of an empty one.
    if (!stats.batteryIsPresent) return;
    const bool plugged = stats.batteryIsPluggedIn;
    (plugged ? timePluggedInSeconds : timeOnBatterySeconds) += interval;
    if (!plugged && stats.batteryWatts > 0) {
        dischargeWattsSum += stats.batteryWatts;
        ++dischargeSamples;
        avgDischargeWatts = dischargeWattsSum / static_cast<double>(dischargeSamples);
    }
    if (stats.batteryPercentage) foldCharge(*stats.batteryPercentage, plugged, stats.batteryIsCharging);
    lastWasPluggedIn = plugged;
}

void BatteryDailyAggregate::foldCharge(double charge, bool plugged, bool charging) {
    // The range is still empty (minimum above maximum) until the first known charge.
    if (maxPercent < minPercent) {
        startPercent = charge;
        lastPercent = charge;
    }
    const double previous = lastPercent;
    endPercent = charge;
    minPercent = std::min(minPercent, charge);
    maxPercent = std::max(maxPercent, charge);
    if (previous - charge > 0 && !plugged) totalDrainPercent += previous - charge;
    if (charge >= 100 && previous < 100 && charging) ++chargeEventsTo100;
    // One excursion below 20 % counts once; the latch re-arms only back at 25 %.
    if (charge < 20 && !wasBelow20 && !plugged) {
        ++deepDischargeEvents;
        wasBelow20 = true;
    }
    if (charge >= 25) wasBelow20 = false;
    lastPercent = charge;
}

void to_json(nlohmann::json& json, const BatteryDailyAggregate& value) {
    json = {{"startPercent", value.startPercent},
            {"endPercent", value.endPercent},
            {"minPercent", value.minPercent},
            {"maxPercent", value.maxPercent},
            {"totalDrainPercent", value.totalDrainPercent},
            {"timeOnBatterySeconds", value.timeOnBatterySeconds},
            {"timePluggedInSeconds", value.timePluggedInSeconds},
            {"chargeEventsTo100", value.chargeEventsTo100},
            {"deepDischargeEvents", value.deepDischargeEvents},
            {"avgDischargeWatts", value.avgDischargeWatts},
            {"lastPercent", value.lastPercent},
            {"lastWasPluggedIn", value.lastWasPluggedIn},
            {"wasBelow20", value.wasBelow20},
            {"dischargeWattsSum", value.dischargeWattsSum},
            {"dischargeSamples", value.dischargeSamples}};
}

void from_json(const nlohmann::json& json, BatteryDailyAggregate& value) {
    using namespace JsonFields;
    value.startPercent = number(json, "startPercent");
    value.endPercent = number(json, "endPercent");
    value.minPercent = number(json, "minPercent");
    value.maxPercent = number(json, "maxPercent");
    value.totalDrainPercent = number(json, "totalDrainPercent");
    value.timeOnBatterySeconds = number(json, "timeOnBatterySeconds");
    value.timePluggedInSeconds = number(json, "timePluggedInSeconds");
    value.chargeEventsTo100 = integer(json, "chargeEventsTo100");
    value.deepDischargeEvents = integer(json, "deepDischargeEvents");
    value.avgDischargeWatts = number(json, "avgDischargeWatts");
    value.lastPercent = number(json, "lastPercent");
    value.lastWasPluggedIn = boolean(json, "lastWasPluggedIn");
    value.wasBelow20 = boolean(json, "wasBelow20");
    value.dischargeWattsSum = number(json, "dischargeWattsSum");
    value.dischargeSamples = integer(json, "dischargeSamples");
}

}  // namespace corvelle
