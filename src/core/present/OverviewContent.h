#pragma once

#include "history/BatteryHealthEntry.h"
#include "history/DailySnapshot.h"
#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "util/SystemColor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the overview's cards show, computed from the monitor's published state without any
// display; the cards only show it and skip redraws when it did not change.
namespace corvelle::OverviewContent {

struct CoreCluster {
    std::string name;     // "E-Cores", "P-Cores", or "Cores" on a CPU with one kind
    std::string average;  // "%.1f%%"
    std::vector<double> usages;
    bool operator==(const CoreCluster&) const = default;
};
struct Cpu {
    std::string total;
    std::string user;    // L::userCPU
    std::string system;  // L::systemCPU
    // Both kinds on a hybrid CPU; otherwise one row of all cores, as pCores (none without cores).
    std::optional<CoreCluster> eCores;
    std::optional<CoreCluster> pCores;
    bool operator==(const Cpu&) const = default;
};
Cpu cpu(const SystemStats& stats);

struct Gauges {
    double memoryPercent = 0;
    std::string memory;  // used / total, "--" without a total
    std::string diskRead, diskWrite;
    std::string networkIn, networkOut;
    std::string power;  // "--" without a reading
    bool operator==(const Gauges&) const = default;
};
Gauges gauges(const SystemStats& stats);

struct Thermal {
    std::string symbol;
    SystemColor color = SystemColor::green;  // symbol, level text and the card's tint
    std::string level;
    std::string description;
    // "E-Cores  48.2°C     P-Cores  --" on a hybrid CPU, "CPU  52.0°C" otherwise; empty without any
    // temperature reading.
    std::string temperatures;
    std::vector<std::string> fans;     // "Fan 1: 2,400 RPM"
    bool operator==(const Thermal&) const = default;
};
Thermal thermal(const SystemStats& stats);

struct Badge {
    std::string label;
    std::string value;
    bool operator==(const Badge&) const = default;
};
struct Profile {
    std::string symbol;
    std::string name;
    std::string description;
    std::string runnerUp;  // L::alsoProfile, empty without one
    std::vector<Badge> badges;
    bool operator==(const Profile&) const = default;
};
// None without a classification. `week` is the store's last seven records.
std::optional<Profile> profile(const std::optional<ProfileClassification>& classification,
                               const std::vector<DailySnapshot>& week);

// What the battery cards say in place of their figures on a machine without a battery.
std::string noBatteryNote();

struct Habits {
    std::optional<HabitScore> score;  // none: the note instead
    std::string note;
    bool operator==(const Habits&) const = default;
};
// The score, or the note without a battery; none (no card) while a battery has no score yet.
std::optional<Habits> habits(const std::optional<HabitScore>& score, bool hasBattery);

struct HealthTrend {
    std::vector<double> values;  // empty while there are fewer than two readings
    std::string latest;
    std::string trend;  // L::dayTrend
    std::string note;   // instead of the line: still collecting, or no battery
    bool operator==(const HealthTrend&) const = default;
};
HealthTrend healthTrend(const std::vector<BatteryHealthEntry>& entries, bool hasBattery);

// The prediction card needs a week of records and a prediction fitted on at least seven readings.
bool showsPrediction(std::size_t recordCount, const std::optional<BatteryHealthPrediction>& prediction);
struct Prediction {
    // Empty lines: the placeholder instead (the data it needs, or no battery).
    std::vector<std::string> lines;
    std::string placeholder;
    bool operator==(const Prediction&) const = default;
};
Prediction prediction(std::size_t recordCount, const std::optional<BatteryHealthPrediction>& prediction,
                      bool hasBattery);

struct PeakRow {
    std::string hour;
    double fraction = 0;  // of the busiest hour's watts
    std::string watts;
    bool operator==(const PeakRow&) const = default;
};
struct UsagePatterns {
    std::vector<PeakRow> rows;  // none: the note instead
    std::string quietest;       // L::quietest
    std::string note;           // not enough data, or no power meter
    bool operator==(const UsagePatterns&) const = default;
};
// The 3 busiest hours of `week` (24 in the larger window) and the quietest; without them, a
// note that says whether data is still coming or this machine has no power meter.
UsagePatterns usagePatterns(const std::vector<DailySnapshot>& week, bool isDetailWindow, bool twelveHour,
                            PowerMeter meter);
// That there is no power meter and, where the counters are only locked, how to read them.
std::string noPowerMeterNote(PowerMeter meter);

// An hour of the day in the current language: "3 PM" / "3 p. m." on a 12-hour clock, "15:00" on a
// 24-hour one.
std::string hourLabel(int hour, bool twelveHour);

}  // namespace corvelle::OverviewContent
