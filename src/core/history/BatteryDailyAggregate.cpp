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

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("startPercent", &BatteryDailyAggregate::startPercent),
    JsonFields::field("endPercent", &BatteryDailyAggregate::endPercent),
    JsonFields::field("minPercent", &BatteryDailyAggregate::minPercent),
    JsonFields::field("maxPercent", &BatteryDailyAggregate::maxPercent),
    JsonFields::field("totalDrainPercent", &BatteryDailyAggregate::totalDrainPercent),
    JsonFields::field("timeOnBatterySeconds", &BatteryDailyAggregate::timeOnBatterySeconds),
    JsonFields::field("timePluggedInSeconds", &BatteryDailyAggregate::timePluggedInSeconds),
    JsonFields::field("chargeEventsTo100", &BatteryDailyAggregate::chargeEventsTo100),
    JsonFields::field("deepDischargeEvents", &BatteryDailyAggregate::deepDischargeEvents),
    JsonFields::field("avgDischargeWatts", &BatteryDailyAggregate::avgDischargeWatts),
    JsonFields::field("lastPercent", &BatteryDailyAggregate::lastPercent),
    JsonFields::field("lastWasPluggedIn", &BatteryDailyAggregate::lastWasPluggedIn),
    JsonFields::field("wasBelow20", &BatteryDailyAggregate::wasBelow20),
    JsonFields::field("dischargeWattsSum", &BatteryDailyAggregate::dischargeWattsSum),
    JsonFields::field("dischargeSamples", &BatteryDailyAggregate::dischargeSamples));

}  // namespace

void to_json(nlohmann::json& json, const BatteryDailyAggregate& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, BatteryDailyAggregate& value) {
    JsonFields::decode(json, value, kFields);
}

}  // namespace corvelle
