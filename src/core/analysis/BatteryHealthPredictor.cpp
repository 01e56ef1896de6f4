#include "analysis/BatteryHealthPredictor.h"

#include "analysis/RecordTotals.h"
#include "history/LocalCalendar.h"
#include "localization/LAnalysis.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace corvelle::BatteryHealthPredictor {
namespace {

// Nominal wear: percent of health lost per charge cycle.
constexpr double nominalDropPerCycle = 0.02;
constexpr double daysPerMonth = 30.44;

struct Line {
    double slope;
    double intercept;
};

// Least-squares line of health against cycle count; absent when the cycle counts do not vary.
std::optional<Line> fitLine(const std::vector<BatteryHealthEntry>& entries) {
    const double n = static_cast<double>(entries.size());
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (const auto& entry : entries) {
        const double x = static_cast<double>(entry.cycleCount);
        sx += x;
        sy += entry.healthPercent;
        sxy += x * entry.healthPercent;
        sxx += x * x;
    }
    const double d = n * sxx - sx * sx;
    if (!(std::fabs(d) > 0.001)) return std::nullopt;
    const double slope = (n * sxy - sx * sy) / d;
    const double intercept = (sy - sx * slope) / n;
    if (!std::isfinite(slope) || !std::isfinite(intercept)) return std::nullopt;
    return Line{slope, intercept};
}

// Truncated toward zero; absent when the value does not fit a 64-bit integer.
std::optional<std::int64_t> wholeCount(double value) {
    if (!(std::fabs(value) < 9.2e18)) return std::nullopt;
    return static_cast<std::int64_t>(value);
}

std::optional<std::int64_t> cyclesTo80(const Line& line, const BatteryHealthEntry& latest) {
    if (line.slope >= 0) return std::nullopt;
    const auto crossing = wholeCount((80.0 - line.intercept) / line.slope);
    if (!crossing || *crossing <= latest.cycleCount) return std::nullopt;
    return *crossing - latest.cycleCount;
}

// Months at the pace of cycling between the first and the latest reading.
std::optional<std::int64_t> monthsTo80(std::int64_t remaining, const BatteryHealthEntry& first,
                                       const BatteryHealthEntry& latest) {
    if (first.cycleCount >= latest.cycleCount) return std::nullopt;
    const auto days = daysBetweenDates(first.date, latest.date);
    if (days < 1) return std::nullopt;
    const double pace = static_cast<double>(latest.cycleCount - first.cycleCount) / static_cast<double>(days);
    if (!(pace > 0.01)) return std::nullopt;
    return wholeCount(static_cast<double>(remaining) / pace / daysPerMonth);
}

DegradationRate rateOf(double dropPerCycle) {
    const double r = dropPerCycle / nominalDropPerCycle;
    if (r < 0.7) return DegradationRate::excellent;
    if (r < 1.3) return DegradationRate::normal;
    if (r < 2.0) return DegradationRate::accelerated;
    return DegradationRate::severe;
}

ConfidenceLevel confidenceOf(std::size_t n) {
    if (n >= 60) return ConfidenceLevel::high;
    if (n >= 7) return ConfidenceLevel::moderate;
    return ConfidenceLevel::low;
}

}  // namespace

std::optional<BatteryHealthPrediction> predict(const std::vector<BatteryHealthEntry>& entries) {
    std::vector<BatteryHealthEntry> usable;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(usable),
                 [](const auto& e) { return e.healthPercent < 99.5 && e.cycleCount >= 1; });
    if (usable.size() < 2) return std::nullopt;
    const auto line = fitLine(usable);
    if (!line) return std::nullopt;
    const auto& first = usable.front();
    const auto& latest = usable.back();

    BatteryHealthPrediction prediction;
    prediction.currentHealth = latest.healthPercent;
    prediction.currentCycles = latest.cycleCount;
    prediction.healthDropPerCycle = std::fabs(line->slope);
    prediction.estimatedCyclesTo80 = cyclesTo80(*line, latest);
    if (prediction.estimatedCyclesTo80) {
        prediction.estimatedMonthsTo80 = monthsTo80(*prediction.estimatedCyclesTo80, first, latest);
    }
    prediction.confidenceLevel = confidenceOf(usable.size());
    prediction.degradationRate = rateOf(prediction.healthDropPerCycle);
    prediction.habitWarnings = analyzeHabits(entries);
    prediction.dataPointCount = static_cast<std::int64_t>(usable.size());
    return prediction;
}

std::vector<HabitWarning> analyzeHabits(const std::vector<BatteryHealthEntry>& entries) {
    std::vector<HabitWarning> warnings;
    if (entries.size() < 3) return warnings;
    const std::vector<BatteryHealthEntry> recent(entries.end() - std::min<std::ptrdiff_t>(7, std::ssize(entries)),
                                                 entries.end());
    const double temperature = RecordTotals::meanOf(recent, [](const auto& e) { return e.avgTemperature; });
    if (temperature > 75.0) {
        const auto text = L::tipHabitRunningHot(formatString("%.0f", temperature));
        warnings.push_back({"hot-battery", "flame.fill", text.title, text.detail, HabitSeverity::critical});
    }
    const double watts = RecordTotals::meanOf(recent, [](const auto& e) { return e.avgDischargeWatts; });
    if (watts > 20.0) {
        const auto text = L::tipHabitHeavyDischarge(formatString("%.0f", watts));
        warnings.push_back({"heavy-discharge", "bolt.fill", text.title, text.detail, HabitSeverity::info});
    }
    return warnings;
}

std::int64_t daysBetweenDates(std::string_view a, std::string_view b) {
    const auto from = LocalCalendar::dayNumber(a);
    const auto to = LocalCalendar::dayNumber(b);
    if (!from || !to) return 0;
    return *to > *from ? *to - *from : *from - *to;
}

}  // namespace corvelle::BatteryHealthPredictor
