#pragma once

#include "model/SubScore.h"
#include "util/SystemColor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The thresholds, colours and scales of the shared charts, apart from any drawing so that
// they can be checked without a display.
namespace corvelle::ChartRules {

// A gauge ring: green below 50, orange from 50, red from 75.
SystemColor gaugeColor(double percent);
// The filled part of a gauge ring: the percentage limited to 0-100, as a fraction.
double gaugeFraction(double percent);

// A point of a line chart in a box of the given size, y growing downwards.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};
// Evenly spaced points for at least two values, each at value / maxValue of the height from
// the bottom; values above maxValue sit at the top, below 0 at the bottom. Fewer values: none.
std::vector<Point> linePoints(const std::vector<double>& values, double maxValue, double width, double height);

// The health line by its last value: green at 80 and above (and with no values), orange from 60,
// red below.
SystemColor healthLineColor(const std::vector<double>& values);

// The overall habit score: green at 90 and above, blue from 75, orange from 60, red below.
SystemColor habitScoreColor(std::int64_t overall);
// How a sub-score row is marked: green with a check when good, orange with a warning otherwise.
struct SubScoreMark {
    SystemColor color = SystemColor::green;
    std::string icon;
    bool operator==(const SubScoreMark&) const = default;
};
SubScoreMark subScoreMark(const SubScore& score);

// What a bar of full height stands for: the fixed maximum when given, else the largest value,
// else 1 (no data, or nothing above 0).
double barChartScale(const std::vector<double>& values, std::optional<double> fixedMax);

}  // namespace corvelle::ChartRules
