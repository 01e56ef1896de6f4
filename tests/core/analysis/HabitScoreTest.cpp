#include "analysis/BatteryHealthPredictor.h"

#include "support/AnalysisDays.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvelle {
namespace {

using BatteryHealthPredictor::scoreHabits;

using test::kindDay;

TEST(HabitScore, AKindDayScoresFullMarks) {
    EXPECT_FALSE(scoreHabits({}));
    auto desktopDay = kindDay("2025-05-31");
    desktopDay.battery = {};
    EXPECT_FALSE(scoreHabits({desktopDay})) << "no battery sampled: no habits to grade";
    const auto score = scoreHabits({kindDay()});
    ASSERT_TRUE(score);
    EXPECT_EQ(std::tie(score->overall, score->grade), std::make_tuple(std::int64_t{100}, std::string("A+")));
    EXPECT_EQ(score->charging, (SubScore{25, 25, "Charging", "good_range"}));
    EXPECT_EQ(score->discharge.reason, "shallow_cycles");
}

TEST(HabitScore, EachAngleFollowsItsThresholds) {
    using Setup = std::function<void(std::vector<DailySnapshot>&)>;
    struct Case { const char* name; Setup setup; SubScore HabitScore::*angle; std::int64_t score; const char* reason; };
    const auto each = [](auto change) { return Setup([=](auto& days) { for (auto& d : days) change(d); }); };
    const auto charges = [&](std::int64_t events, double maxPercent) {
        return each([=](DailySnapshot& d) { d.battery.chargeEventsTo100 = events; d.battery.maxPercent = maxPercent; });
    };
    const auto thermal = [&](double hotSeconds, std::int64_t heavy) {
        return each([=](DailySnapshot& d) { d.thermal.timeAboveNominalSeconds = hotSeconds; d.thermal.samplesAboveHeavy = heavy; });
    };
    const auto deep = [&](std::int64_t events, double drain) {
        return each([=](DailySnapshot& d) { d.battery.deepDischargeEvents = events; d.battery.totalDrainPercent = drain; });
    };
    const auto split = [&](double onBattery, double pluggedIn) {
        return each([=](DailySnapshot& d) { d.battery.timeOnBatterySeconds = onBattery; d.battery.timePluggedInSeconds = pluggedIn; });
    };
    const std::vector<Case> cases{
        {"one full charge a day", charges(1, 100), &HabitScore::charging, 19, "occasional_100"},
        {"one full charge a day, peak 84", charges(1, 84), &HabitScore::charging, 22, "occasional_100"},
        {"no full charge, peak 100", charges(0, 100), &HabitScore::charging, 25, "good"},
        {"two a day, bonus from 13", charges(2, 80), &HabitScore::charging, 16, "frequent_100"},
        {"hot 35 % with heavy peaks", thermal(2520, 75), &HabitScore::thermal, 8, "high_thermal"},
        {"hot exactly 30 %", thermal(2160, 0), &HabitScore::thermal, 19, "moderate_thermal"},
        {"hot exactly 10 %", thermal(720, 0), &HabitScore::thermal, 25, "good"},
        {"101 heavy samples", thermal(0, 51), &HabitScore::thermal, 20, "heavy_peaks"},
        {"100 heavy samples", thermal(0, 50), &HabitScore::thermal, 25, "good"},
        // Sampled time, not two seconds per sample: 10 s polling, a tenth of the day hot.
        {"hot tenth at 10 s polling",
         each([](DailySnapshot& d) { d.sampleCount = 720; d.thermal.timeAboveNominalSeconds = 720; }),
         &HabitScore::thermal, 25, "good"},
        // Summed over the days, not a mean of daily fractions.
        {"one short hot day",
         [](auto& days) {
             days[0].battery.timeOnBatterySeconds = 500; days[0].battery.timePluggedInSeconds = 500;
             days[0].thermal.timeAboveNominalSeconds = 1000;
             days[1].battery.timeOnBatterySeconds = 4500; days[1].battery.timePluggedInSeconds = 4500;
         },
         &HabitScore::thermal, 25, "good"},
        {"one deep discharge a day", deep(1, 40), &HabitScore::discharge, 19, "occasional_deep"},
        {"one deep discharge a day, shallow", deep(1, 20), &HabitScore::discharge, 22, "occasional_deep"},
        {"two a day", deep(2, 40), &HabitScore::discharge, 13, "frequent_deep"},
        {"drain exactly 30", deep(0, 30), &HabitScore::discharge, 25, "good"},
        {"battery share 0.04", split(4, 96), &HabitScore::pluggedBalance, 15, "always_plugged"},
        {"battery share 0.05", split(5, 95), &HabitScore::pluggedBalance, 20, "mostly_plugged"},
        {"battery share 0.15", split(15, 85), &HabitScore::pluggedBalance, 25, "good"},
        {"battery share 0.7", split(70, 30), &HabitScore::pluggedBalance, 25, "good"},
        {"battery share 0.85", split(85, 15), &HabitScore::pluggedBalance, 22, "mostly_battery"},
        {"battery share 0.86", split(86, 14), &HabitScore::pluggedBalance, 17, "rarely_plugged"},
    };
    for (const auto& c : cases) {
        std::vector<DailySnapshot> days{kindDay(), kindDay()};
        c.setup(days);
        const auto score = scoreHabits(days);
        ASSERT_TRUE(score) << c.name;
        const auto& angle = (*score).*c.angle;
        EXPECT_EQ(std::tie(angle.score, angle.reason), std::make_tuple(c.score, std::string(c.reason))) << c.name;
        EXPECT_EQ(score->overall, score->charging.score + score->thermal.score + score->discharge.score +
                                      score->pluggedBalance.score);
    }
}

TEST(HabitScore, GradeBoundaries) {
    const std::vector<std::pair<std::int64_t, const char*>> cases{
        {100, "A+"}, {95, "A+"}, {94, "A"}, {90, "A"}, {89, "B+"}, {85, "B+"}, {84, "B"}, {80, "B"},
        {79, "C+"},  {75, "C+"}, {74, "C"}, {70, "C"}, {69, "D"},  {60, "D"},  {59, "F"}, {0, "F"}};
    for (const auto& [overall, grade] : cases) EXPECT_EQ(BatteryHealthPredictor::gradeFor(overall), grade) << overall;
}

}  // namespace
}  // namespace corvelle
