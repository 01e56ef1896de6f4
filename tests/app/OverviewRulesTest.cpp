#include "app/views/components/ChartRules.h"
#include "app/views/components/SectionDropDelegate.h"
#include "app/views/tabs/OverviewContent.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace corvelle {
namespace {

using SC = SystemColor;

TEST(ChartRulesTest, ColoursChangeAtTheirBoundaries) {
    const struct {
        double value;
        SC gauge, health, habit;
    } cases[] = {
        {49.9, SC::green, SC::red, SC::red},        {50, SC::orange, SC::red, SC::red},
        {59.9, SC::orange, SC::red, SC::red},       {60, SC::orange, SC::orange, SC::orange},
        {74.9, SC::orange, SC::orange, SC::orange}, {75, SC::red, SC::orange, SC::blue},
        {79.9, SC::red, SC::orange, SC::blue},      {80, SC::red, SC::green, SC::blue},
        {89, SC::red, SC::green, SC::blue},         {90, SC::red, SC::green, SC::green},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChartRules::gaugeColor(c.value), c.gauge) << c.value;
        EXPECT_EQ(ChartRules::healthLineColor({100, c.value}), c.health) << c.value;
        // Whole points only; 59.9 and 74.9 stand for 59 and 74.
        EXPECT_EQ(ChartRules::habitScoreColor(static_cast<std::int64_t>(c.value)), c.habit) << c.value;
    }
    EXPECT_EQ(ChartRules::healthLineColor({}), SC::green);
}

TEST(ChartRulesTest, SubScoresAreGoodFromThreeQuartersOfTheirPoints) {
    EXPECT_EQ(ChartRules::subScoreMark({19, 25, "Charging", "good"}), (ChartRules::SubScoreMark{SC::green, "checkmark.circle.fill"}));
    EXPECT_EQ(ChartRules::subScoreMark({18, 25, "Charging", "x"}).color, SC::orange);
}

TEST(ChartRulesTest, ScalesNeverDivideByNothing) {
    EXPECT_EQ(ChartRules::barChartScale({}, std::nullopt), 1.0);
    EXPECT_EQ(ChartRules::barChartScale({0, 0}, std::nullopt), 1.0);
    EXPECT_EQ(ChartRules::barChartScale({3, 7.5, 2}, std::nullopt), 7.5);
    EXPECT_EQ(ChartRules::barChartScale({3, 7.5}, 100.0), 100.0);
    EXPECT_EQ(ChartRules::gaugeFraction(-5), 0.0);
    EXPECT_EQ(ChartRules::gaugeFraction(140), 1.0);
    EXPECT_EQ(ChartRules::gaugeFraction(std::nan("")), 0.0);

    EXPECT_TRUE(ChartRules::linePoints({42}, 100, 200, 50).empty());
    using P = ChartRules::Point;
    EXPECT_EQ(ChartRules::linePoints({0, 50, 150}, 100, 200, 50), (std::vector<P>{{0, 50}, {100, 25}, {200, 0}}));
    EXPECT_EQ(ChartRules::linePoints({1, 1}, 0, 10, 10), (std::vector<P>{{0, 0}, {10, 0}})) << "no scale: 1";
}

TEST(SectionDropDelegateTest, TheDraggedSectionTakesThePlaceOfTheOneEntered) {
    using Order = std::vector<std::string>;
    const std::tuple<const char*, const char*, Order> cases[] = {
        {"a", "c", {"b", "c", "a", "d"}},  // first onto third
        {"d", "b", {"a", "d", "b", "c"}},  // last onto second
        {"b", "b", {"a", "b", "c", "d"}},  // onto itself
        {"b", "x", {"a", "b", "c", "d"}},  // not a section of this list
    };
    for (const auto& [dragged, entered, expected] : cases) {
        SectionDropDelegate delegate({"a", "b", "c", "d"});
        delegate.dragStarted(dragged);
        delegate.dropEntered(entered);
        EXPECT_EQ(delegate.items(), expected) << dragged << " onto " << entered;
    }
    SectionDropDelegate delegate({"a", "b", "c"});
    EXPECT_FALSE(delegate.dropEntered("b")) << "no drag under way";
    delegate.dragStarted("a");
    EXPECT_TRUE(delegate.dropEntered("b"));
    EXPECT_EQ(delegate.hoveredItem(), "b");
    delegate.dropExited("c");
    EXPECT_EQ(delegate.hoveredItem(), "b") << "leaving another section";
    delegate.dropExited("b");
    EXPECT_FALSE(delegate.hoveredItem());
    EXPECT_TRUE(delegate.dropPerformed());
    EXPECT_FALSE(delegate.draggedItem());
    EXPECT_FALSE(delegate.dropPerformed()) << "nothing left to save";
}

DailySnapshot record(int cpu, double watts) {
    auto day = DailySnapshot::empty("2025-06-01", 0);
    day.cpu.avgTotal = cpu;
    day.power.avgSystemWatts = watts;
    return day;
}

TEST(OverviewContentTest, PredictionNeedsAWeekOfRecordsAndSevenReadings) {
    test::ScopedLanguage language("en");
    BatteryHealthPrediction fitted;
    fitted.dataPointCount = 7;
    fitted.estimatedMonthsTo80 = 14;
    EXPECT_FALSE(OverviewContent::showsPrediction(6, fitted));
    EXPECT_FALSE(OverviewContent::showsPrediction(7, std::nullopt));
    EXPECT_TRUE(OverviewContent::showsPrediction(7, fitted));
    EXPECT_TRUE(OverviewContent::prediction(6, fitted).lines.empty()) << "the placeholder";
    EXPECT_EQ(OverviewContent::prediction(7, fitted).lines,
              (std::vector<std::string>{"Degradation rate: Normal", "Confidence: Low",
                                        "Battery may reach 80% in ~14 months"}));
    fitted.dataPointCount = 6;
    EXPECT_FALSE(OverviewContent::showsPrediction(30, fitted));
}

TEST(OverviewContentTest, ProfileBadgesAreMeansOfTheWeekOrDashes) {
    test::ScopedLanguage language("es");
    ProfileClassification classification{UsageProfile::developer, 0.8, UsageProfile::creative, 0.5, 0, 3};
    EXPECT_FALSE(OverviewContent::profile(std::nullopt, {}));
    const auto empty = OverviewContent::profile(classification, {});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->symbol, "chevron.left.forwardslash.chevron.right");
    EXPECT_EQ(empty->runnerUp, "También: Creativo");
    EXPECT_EQ(empty->badges, (std::vector<OverviewContent::Badge>{{"CPU prom", "--"}, {"Energía prom", "--"}, {"Datos", "3 días"}}));
    const auto week = OverviewContent::profile(classification, {record(20, 8), record(31, 11.5)});
    EXPECT_EQ(week->badges[0].value, "26%");
    EXPECT_EQ(week->badges[1].value, "9.8 W");
}

TEST(OverviewContentTest, HourLabelsFollowTheLanguageAndTheClock) {
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"en", 0, true, "12 AM"}, {"en", 12, true, "12 PM"},   {"en", 15, true, "3 PM"},
        {"es", 9, true, "9 a. m."}, {"es", 23, true, "11 p. m."}, {"es", 7, false, "07:00"},
    };
    for (const auto& [lang, hour, twelve, expected] : cases) {
        test::ScopedLanguage language(lang);
        EXPECT_EQ(OverviewContent::hourLabel(hour, twelve), expected) << lang << " " << hour;
    }
}

TEST(OverviewContentTest, UsagePatternsShowTheBusiestHoursAndTheQuietest) {
    test::ScopedLanguage language("en");
    auto day = DailySnapshot::empty("2025-06-01", 0);
    EXPECT_TRUE(OverviewContent::usagePatterns({day}, false, false).rows.empty()) << "nothing sampled";
    for (int hour = 0; hour < 24; ++hour) {
        day.hourlyFingerprints[static_cast<std::size_t>(hour)].avgWatts = 2 + hour % 5;
        day.hourlyFingerprints[static_cast<std::size_t>(hour)].sampleCount = 1;
    }
    const auto panel = OverviewContent::usagePatterns({day}, false, false);
    ASSERT_EQ(panel.rows.size(), 3u);
    EXPECT_EQ(panel.rows[0], (OverviewContent::PeakRow{"04:00", 1.0, "6.0 W"}));
    EXPECT_EQ(panel.rows[1].hour, "09:00");
    EXPECT_EQ(panel.quietest, "Quietest: 20:00");
    EXPECT_EQ(OverviewContent::usagePatterns({day}, true, false).rows.size(), 24u);
}

TEST(OverviewContentTest, MissingReadingsShowDashesAndMissingClustersNoRow) {
    test::ScopedLanguage language("en");
    SystemStats stats = test::StatsBuilder().cores(0, 2).cpu(12.34);
    stats.fanSpeeds = {2400};
    stats.thermalLevel = ThermalLevel::heavy;
    const auto cpu = OverviewContent::cpu(stats);
    EXPECT_EQ(cpu.total, "12.3%");
    EXPECT_FALSE(cpu.eCores);
    ASSERT_TRUE(cpu.pCores);
    EXPECT_EQ(cpu.pCores->usages.size(), 2u);
    const auto gauges = OverviewContent::gauges(stats);
    EXPECT_EQ(gauges.memory, "--");
    EXPECT_EQ(gauges.power, "--");
    const auto thermal = OverviewContent::thermal(stats);
    EXPECT_EQ(thermal.symbol, "flame.fill");
    EXPECT_EQ(thermal.color, SC::orange);
    EXPECT_EQ(thermal.pCoreTemp, "--");
    EXPECT_EQ(thermal.fans, (std::vector<std::string>{"Fan 1: 2,400 RPM"}));
}

}  // namespace
}  // namespace corvelle
