#include "analysis/BatteryHealthPredictor.h"

#include "analysis/RecordTotals.h"

#include <algorithm>
#include <iterator>

namespace corvelle::BatteryHealthPredictor {
namespace {

using RecordTotals::meanOf;
using RecordTotals::sumOf;
using Records = std::vector<DailySnapshot>;

struct Finding {
    std::int64_t score;
    const char* reason;  // "" when nothing was found
};

// Three-tier finding: above `high`, above `low`, or full points.
Finding tiers(double value, double high, double low, const char* highReason, const char* lowReason) {
    if (value > high) return {13, highReason};
    if (value > low) return {19, lowReason};
    return {25, ""};
}

// Capped at 22 first, so a full 25 stays 25.
void addBonus(Finding& finding, const char* reasonIfNone) {
    finding.score = std::min<std::int64_t>(finding.score, 22) + 3;
    if (*finding.reason == '\0') finding.reason = reasonIfNone;
}

SubScore subScore(const char* label, const Finding& finding) {
    return {finding.score, 25, label, *finding.reason == '\0' ? "good" : finding.reason};
}

SubScore charging(const Records& records) {
    auto finding = tiers(meanOf(records, [](const auto& r) { return r.battery.chargeEventsTo100; }), 1.5, 0.8,
                         "frequent_100", "occasional_100");
    if (meanOf(records, [](const auto& r) { return r.battery.maxPercent; }) < 85.0) addBonus(finding, "good_range");
    return subScore("Charging", finding);
}

SubScore thermal(const Records& records) {
    auto finding = tiers(RecordTotals::thermalFraction(records), 0.3, 0.1, "high_thermal", "moderate_thermal");
    if (sumOf(records, [](const auto& r) { return r.thermal.samplesAboveHeavy; }) > 100) {
        finding.score -= 5;
        if (*finding.reason == '\0') finding.reason = "heavy_peaks";
    }
    return subScore("Thermal", finding);
}

SubScore discharge(const Records& records) {
    auto finding = tiers(meanOf(records, [](const auto& r) { return r.battery.deepDischargeEvents; }), 1.0, 0.5,
                         "frequent_deep", "occasional_deep");
    if (meanOf(records, [](const auto& r) { return r.battery.totalDrainPercent; }) < 30.0) {
        addBonus(finding, "shallow_cycles");
    }
    return subScore("Discharge", finding);
}

Finding plugBalance(double onBattery, double pluggedIn) {
    if (!(onBattery + pluggedIn > 0)) return {25, ""};
    const double share = onBattery / (onBattery + pluggedIn);
    if (share < 0.05) return {15, "always_plugged"};
    if (share < 0.15) return {20, "mostly_plugged"};
    if (share > 0.85) return {17, "rarely_plugged"};
    if (share > 0.7) return {22, "mostly_battery"};
    return {25, ""};
}

SubScore pluggedBalance(const Records& records) {
    return subScore("Plug Balance", plugBalance(sumOf(records, [](const auto& r) { return r.battery.timeOnBatterySeconds; }),
                                                sumOf(records, [](const auto& r) { return r.battery.timePluggedInSeconds; })));
}

}  // namespace

std::optional<HabitScore> scoreHabits(const std::vector<DailySnapshot>& all) {
    // Only days on which a battery was sampled say how it is treated: a desktop has no habits.
    Records records;
    std::copy_if(all.begin(), all.end(), std::back_inserter(records), [](const DailySnapshot& r) {
        return r.battery.timeOnBatterySeconds + r.battery.timePluggedInSeconds > 0;
    });
    if (records.empty()) return std::nullopt;
    HabitScore result;
    result.charging = charging(records);
    result.thermal = thermal(records);
    result.discharge = discharge(records);
    result.pluggedBalance = pluggedBalance(records);
    result.overall =
        result.charging.score + result.thermal.score + result.discharge.score + result.pluggedBalance.score;
    result.grade = gradeFor(result.overall);
    return result;
}

std::string gradeFor(std::int64_t overall) {
    if (overall >= 95) return "A+";
    if (overall >= 90) return "A";
    if (overall >= 85) return "B+";
    if (overall >= 80) return "B";
    if (overall >= 75) return "C+";
    if (overall >= 70) return "C";
    if (overall >= 60) return "D";
    return "F";
}

}  // namespace corvelle::BatteryHealthPredictor
