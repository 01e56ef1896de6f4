#pragma once

#include "history/DailySnapshot.h"
#include "model/SystemStats.h"
#include "util/SystemColor.h"

#include <string>
#include <utility>
#include <vector>

// What the history tab's cards show, computed from the monitor's published state and the
// store's records without any display.
namespace corvelle::HistoryContent {

// A named live figure on a small tile.
struct Figure {
    std::string name;
    std::string value;
    SystemColor color = SystemColor::primary;
    bool operator==(const Figure&) const = default;
};

// Green below 50 °C, the ordinary text colour below 70, orange below 85, red from there.
SystemColor temperatureColor(double celsius);
// E-cores, P-cores and GPU on a hybrid CPU, else CPU and GPU; "--" without a reading.
std::vector<Figure> temperatures(const SystemStats& stats);
// CPU, GPU and total power; "--" for a figure no energy counter reads.
std::vector<Figure> powerDraw(const SystemStats& stats);
// Which meter the power figures come from; empty without one.
std::string powerDrawNote(const SystemStats& stats);
// Memory, disk, network and, on a machine with fans, their speeds.
std::vector<Figure> resources(const SystemStats& stats);

// The energy chart's ranges, in the picker's order.
enum class EnergyRange { hour, day, week, all };
inline constexpr int energyRangeCount = 4;

struct Energy {
    enum class Shows { line, bars, message };
    Shows shows = Shows::message;
    std::vector<double> line;                           // the hour's samples
    std::vector<std::pair<std::string, double>> bars;   // label, value
    std::vector<Figure> figures;                        // under the chart
    std::string symbol;                                 // of a message, empty for none
    std::string message;
    std::string detail;
    bool operator==(const Energy&) const = default;
};
// Every range on a machine without an energy counter; where the counters are only locked, how
// to read them.
Energy noPowerMeter(PowerMeter meter);
// The live power samples, oldest first.
Energy hourEnergy(const std::vector<double>& samples);
// Today's record, by hour.
Energy dayEnergy(const DailySnapshot& today);
// The most recent records, oldest first, one bar each: by weekday for the week, by day and
// month for everything stored.
Energy recordsEnergy(const std::vector<DailySnapshot>& records, EnergyRange range);

// "Mon" / "lun" for a "yyyy-MM-dd" key; the key's last two characters when it is not a date.
std::string weekdayLabel(const std::string& key);
// "09/03" for "2025-03-09"; the whole key when it does not have three parts.
std::string dayMonthLabel(const std::string& key);

}  // namespace corvelle::HistoryContent
