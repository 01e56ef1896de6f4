#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// A day's battery behaviour; percentages are charge, 0 to 100. The last five fields are the
// working state the fold carries from one sample to the next.
struct BatteryDailyAggregate {
    double startPercent = 0;
    double endPercent = 0;
    double minPercent = 100;
    double maxPercent = 0;
    double totalDrainPercent = 0;
    double timeOnBatterySeconds = 0;
    double timePluggedInSeconds = 0;
    std::int64_t chargeEventsTo100 = 0;
    std::int64_t deepDischargeEvents = 0;
    double avgDischargeWatts = 0;
    double lastPercent = 0;
    bool lastWasPluggedIn = false;
    bool wasBelow20 = false;
    double dischargeWattsSum = 0;
    std::int64_t dischargeSamples = 0;

    // Samples without a battery leave it untouched; a battery without a percentage adds only
    // its time and power.
    void fold(const SystemStats& stats, double interval);
    bool operator==(const BatteryDailyAggregate&) const = default;

private:
    void foldCharge(double charge, bool plugged, bool charging);
};

void to_json(nlohmann::json& json, const BatteryDailyAggregate& value);
void from_json(const nlohmann::json& json, BatteryDailyAggregate& value);

}  // namespace corvelle
