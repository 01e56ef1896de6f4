#include "analysis/BatteryHealthPredictor.h"

#include "support/Each.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using BatteryHealthPredictor::analyzeHabits;
using BatteryHealthPredictor::daysBetweenDates;
using BatteryHealthPredictor::predict;

BatteryHealthEntry reading(const std::string& date, std::int64_t cycles, double health, double temperature = 40,
                           double dischargeWatts = 8) {
    return {date, health, cycles, 4000, 4500, temperature, dischargeWatts};
}

TEST(BatteryHealthPredictor, NoPredictionWithoutTwoReadingsThatShowWear) {
    const std::vector<std::vector<BatteryHealthEntry>> cases{
        {}, {reading("2025-01-01", 100, 95)},
        {reading("2025-01-01", 100, 99.5), reading("2025-02-01", 200, 99.6)},  // new battery
        {reading("2025-01-01", 0, 95), reading("2025-02-01", 0, 94)},          // never cycled
        {reading("2025-01-01", 0, 95), reading("2025-02-01", 100, 94)},        // one usable
        {reading("2025-01-01", 150, 95), reading("2025-02-01", 150, 94)},      // flat cycle history
    };
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_FALSE(predict(cases[i])) << "case " << i;
}

TEST(BatteryHealthPredictor, FitsTheLineAndEstimatesCyclesAndMonths) {
    struct Case { const char* name; std::vector<BatteryHealthEntry> entries; double drop;
                  std::optional<std::int64_t> cycles, months; DegradationRate rate; };
    using enum DegradationRate;
    const auto none = std::nullopt;
    const std::vector<Case> cases{
        {"fifty days apart", {reading("2025-01-01", 100, 95.0), reading("2025-02-20", 200, 94.0)}, 0.01, 1400, 22, excellent},
        {"same day", {reading("2025-01-01", 100, 95.0), reading("2025-01-01", 200, 94.0)}, 0.01, 1400, none, excellent},
        {"pace too slow", {reading("2024-01-01", 100, 95.0), reading("2025-12-31", 105, 94.95)}, 0.01, 1495, none, excellent},
        {"rising health", {reading("2025-01-01", 100, 90.0), reading("2025-02-20", 200, 93.0)}, 0.03, none, none, accelerated},
        {"already below 80", {reading("2025-01-01", 100, 81.0), reading("2025-02-20", 200, 79.0)}, 0.02, none, none, normal},
        // The crossing lies beyond any 64-bit cycle count: no estimate rather than a wrapped number.
        {"crossing out of range", {reading("2025-01-01", 1, 95.0), reading("2025-02-20", 10'000'000'000'000'000, 94.99)}, 1e-18,
         none, none, excellent},
        {"severe", {reading("2025-01-01", 100, 95.0), reading("2025-02-20", 200, 91.0)}, 0.04, 275, 4, severe},
    };
    for (const auto& c : cases) {
        const auto prediction = predict(c.entries);
        ASSERT_TRUE(prediction) << c.name;
        EXPECT_NEAR(prediction->healthDropPerCycle, c.drop, 1e-9) << c.name;
        EXPECT_EQ(std::tie(prediction->estimatedCyclesTo80, prediction->estimatedMonthsTo80, prediction->degradationRate,
                           prediction->currentCycles),
                  std::tie(c.cycles, c.months, c.rate, c.entries.back().cycleCount)) << c.name;
    }
}

TEST(BatteryHealthPredictor, ConfidenceGrowsWithUsableReadings) {
    const std::vector<std::pair<int, ConfidenceLevel>> cases{
        {6, ConfidenceLevel::low}, {7, ConfidenceLevel::moderate}, {59, ConfidenceLevel::moderate},
        {60, ConfidenceLevel::high}};
    for (const auto& [count, level] : cases) {
        std::vector<BatteryHealthEntry> entries{reading("2024-12-31", 0, 100)};  // not usable, not counted
        for (int i = 0; i < count; ++i) entries.push_back(reading("2025-01-01", 100 + i, 95.0 - 0.05 * i));
        const auto prediction = predict(entries);
        ASSERT_TRUE(prediction) << count;
        EXPECT_EQ(std::make_tuple(prediction->confidenceLevel, prediction->dataPointCount),
                  std::make_tuple(level, std::int64_t{count}));
    }
}

TEST(BatteryHealthPredictor, HabitWarningsFollowTheLastSevenReadings) {
    struct Case { const char* name; std::vector<std::pair<double, double>> temperatureAndWatts;
                  std::vector<std::string> ids; };
    const std::vector<Case> cases{
        {"two hot readings are too few", {{90, 30}, {90, 30}}, {}},
        {"exactly 75.0 is not hot", {{75.0, 0}, {75.0, 0}, {75.0, 0}}, {}},
        {"75.1 is hot", {{75.1, 0}, {75.1, 0}, {75.1, 0}}, {"hot-battery"}},
        {"20 W is not heavy", {{40, 20}, {40, 20}, {40, 20}}, {}},
        {"both, heat first", {{80, 25}, {80, 25}, {80, 25}}, {"hot-battery", "heavy-discharge"}},
        {"older heat is forgotten", {{200, 0}, {40, 0}, {40, 0}, {40, 0}, {40, 0}, {40, 0}, {40, 0}, {40, 0}}, {}},
    };
    for (const auto& c : cases) {
        std::vector<BatteryHealthEntry> entries;
        for (const auto& [t, w] : c.temperatureAndWatts) entries.push_back(reading("2025-01-01", 100, 95, t, w));
        EXPECT_EQ(test::each(analyzeHabits(entries), &HabitWarning::id), c.ids) << c.name;
    }
}

TEST(BatteryHealthPredictor, DaysBetweenDatesCountsCalendarDays) {
    // A day lost to daylight saving time is still a whole day.
    test::ScopedTimeZone zone("America/New_York");
    const std::vector<std::tuple<const char*, const char*, std::int64_t>> cases{
        {"2025-01-01", "2025-02-20", 50}, {"2025-02-20", "2025-01-01", 50}, {"2025-03-08", "2025-03-10", 2},
        {"2024-02-28", "2024-03-01", 2},  {"2025-12-31", "2026-01-01", 1},  {"2025-01-01", "2025-01-01", 0},
        {"2025-1-01", "2025-02-20", 0},   {"2025-02-30", "2025-03-01", 0},  {"", "2025-03-01", 0},
    };
    for (const auto& [a, b, days] : cases) EXPECT_EQ(daysBetweenDates(a, b), days) << a << " " << b;
}

}  // namespace
}  // namespace corvelle
