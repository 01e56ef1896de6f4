#include "app/views/components/EnergyLevel.h"
#include "app/views/tabs/BatteryContent.h"
#include "app/views/tabs/HistoryContent.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace corvelle {
namespace {

using SC = SystemColor;
using Shows = HistoryContent::Energy::Shows;
using HistoryContent::EnergyRange;

DailySnapshot record(const std::string& date, double energyWh, std::int64_t samples = 100) {
    auto day = DailySnapshot::empty(date, 0);
    day.sampleCount = samples;
    day.power.totalEnergyWh = energyWh;
    day.power.avgSystemWatts = energyWh / 10;
    day.power.peakSystemWatts = energyWh / 2;
    return day;
}

std::vector<std::string> labels(const HistoryContent::Energy& energy) {
    std::vector<std::string> result;
    for (const auto& bar : energy.bars) result.push_back(bar.first);
    return result;
}

TEST(HistoryContentTest, EnergyRangesShowTheirStates) {
    test::ScopedLanguage language("en");
    auto collecting = HistoryContent::dayEnergy(record("2025-03-09", 0));
    EXPECT_EQ(collecting.shows, Shows::message);
    EXPECT_EQ(collecting.symbol, "bolt.slash") << "samples but no energy yet";
    EXPECT_EQ(collecting.message, "Energy data not yet available");
    EXPECT_EQ(HistoryContent::dayEnergy(record("2025-03-09", 5, 0)).message, "No data for today yet");

    auto day = record("2025-03-09", 12.34);
    day.hourlyFingerprints[13].avgWatts = 7.5;
    const auto today = HistoryContent::dayEnergy(day);
    ASSERT_EQ(today.bars.size(), 24u);
    EXPECT_EQ(today.bars.front().first, "0h");
    EXPECT_EQ(today.bars[13], (std::pair<std::string, double>{"13h", 7.5}));
    EXPECT_EQ(today.figures.back().value, "12.3 Wh");

    EXPECT_EQ(HistoryContent::hourEnergy({4}).message, "Waiting for power samples...");
    const auto hour = HistoryContent::hourEnergy({4, 9, 5});
    EXPECT_EQ(hour.shows, Shows::line);
    ASSERT_EQ(hour.figures.size(), 3u);
    EXPECT_EQ(hour.figures[0].value, "5.0 W") << "latest";
    EXPECT_EQ(hour.figures[1].value, "6.0 W") << "average";
    EXPECT_EQ(hour.figures[2].value, "9.0 W") << "peak";

    const std::vector<DailySnapshot> week{record("2025-03-07", 10), record("2025-03-08", 20), record("2025-03-09", 30)};
    const auto weekly = HistoryContent::recordsEnergy(week, EnergyRange::week);
    EXPECT_EQ(labels(weekly), (std::vector<std::string>{"Fri", "Sat", "Sun"})) << "oldest first";
    EXPECT_EQ(weekly.figures[0].value, "2.0 W") << "mean of the daily averages";
    EXPECT_EQ(weekly.figures[1].value, "15.0 W") << "highest peak";
    EXPECT_EQ(weekly.figures[2].value, "60.0 Wh") << "total";
    EXPECT_EQ(labels(HistoryContent::recordsEnergy(week, EnergyRange::all))[2], "09/03");
    {
        test::ScopedLanguage spanish("es");
        EXPECT_EQ(labels(HistoryContent::recordsEnergy(week, EnergyRange::week)),
                  (std::vector<std::string>{"vie", "sáb", "dom"}));
    }

    for (const auto& records : {std::vector<DailySnapshot>{}, std::vector<DailySnapshot>{record("2025-03-09", 0)}}) {
        EXPECT_EQ(HistoryContent::recordsEnergy(records, EnergyRange::all).message, "No historical data yet");
    }
}

TEST(HistoryContentTest, MalformedDayKeysKeepTheirText) {
    test::ScopedLanguage language("en");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1970-01-01", "Thu", "01/01"}, {"1969-12-31", "Wed", "31/12"},
        {"2025-02-30", "30", "30/02"},  // not a date: the last two characters
        {"2025-3-9", "-9", "9/3"},      {"2025-03", "03", "2025-03"},
        {"2025-03-09-1", "-1", "2025-03-09-1"}, {"x", "x", "x"}, {"", "", ""},
    };
    for (const auto& [key, weekday, dayMonth] : cases) {
        EXPECT_EQ(HistoryContent::weekdayLabel(key), weekday) << key;
        EXPECT_EQ(HistoryContent::dayMonthLabel(key), dayMonth) << key;
    }
}

TEST(HistoryContentTest, TemperaturesAndPowerAreColouredAndMissingReadingsSaySo) {
    const std::tuple<double, SC> cases[] = {{49.9, SC::green}, {50, SC::primary},   {69.9, SC::primary},
                                            {70, SC::orange},  {84.9, SC::orange}, {85, SC::red}};
    for (const auto& [celsius, color] : cases) EXPECT_EQ(HistoryContent::temperatureColor(celsius), color) << celsius;

    SystemStats stats;
    stats.pCoreTemp = 71.26;
    const auto temperatures = HistoryContent::temperatures(stats);
    EXPECT_EQ(temperatures[0].value, "--");
    EXPECT_EQ(temperatures[1], (HistoryContent::Figure{"P-Cores", "71.3°C", SC::orange}));
    EXPECT_EQ(HistoryContent::powerDraw(stats)[0].value, "--") << "no energy counters";
    stats.cpuPowerWatts = 3.25;
    stats.totalPowerWatts = 7;
    EXPECT_EQ(HistoryContent::powerDraw(stats)[0].value, "3.2 W");
    EXPECT_EQ(HistoryContent::resources(stats).size(), 3u) << "no fans, no fan tile";
    stats.fanSpeeds = {2400, 1200};
    EXPECT_EQ(HistoryContent::resources(stats).back().value, "2,400 RPM  1,200 RPM");
}

TEST(EnergyLevelTest, LevelsAndRowsFollowTheirBoundaries) {
    const std::tuple<double, EnergyLevel, SC> cases[] = {
        {50, EnergyLevel::high, SC::red},        {49.99, EnergyLevel::moderate, SC::orange},
        {10, EnergyLevel::moderate, SC::orange}, {9.99, EnergyLevel::low, SC::green},
        {-1, EnergyLevel::low, SC::green},       {std::nan(""), EnergyLevel::low, SC::green}};
    for (const auto& [impact, level, color] : cases) {
        EXPECT_EQ(energyLevel(impact), level) << impact;
        EXPECT_EQ(energyLevelColor(level), color) << impact;
    }
    test::ScopedLanguage language("es");
    EXPECT_EQ(energyLevelLabel(EnergyLevel::moderate), "Moderado");

    EXPECT_EQ(energyGroupRowContent({"Editor", 12.5, 0, 1, 60}, 50),
              (EnergyGroupRowContent{"Editor", "", 0.25, "12.5%", "Alto", SC::red}));
    EXPECT_EQ(energyGroupRowContent({"Browser", 5, 0, 2, 0}, 50).count, "(2)");
    EXPECT_EQ(energyGroupRowContent({"Idle", 5, 0, 1, 0}, 0).fraction, 0.0) << "no scale";
}

TEST(BatteryContentTest, TopUsersAreCappedAndScaledToTheFirst) {
    std::vector<AppGroup> groups;
    for (int i = 0; i < 12; ++i) groups.push_back({"App " + std::to_string(i), 40.0 - 3 * i, 0, 1, 0});
    const auto rows = BatteryContent::topEnergyUsers(groups);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows.front().fraction, 1.0);
    EXPECT_EQ(rows.back().name, "App 7");
    EXPECT_DOUBLE_EQ(rows.back().fraction, 19.0 / 40.0);
    EXPECT_TRUE(BatteryContent::topEnergyUsers({}).empty());
}

TEST(BatteryContentTest, StatusSymbolsAndColoursFollowTheCharge) {
    using test::Power;
    const std::tuple<double, Power, const char*, SC> cases[] = {
        {30, Power::charging, "battery.100percent.bolt", SC::green},
        {75, Power::battery, "battery.100percent", SC::green},  {74.9, Power::battery, "battery.75percent", SC::green},
        {50, Power::pluggedIn, "battery.75percent", SC::green}, {49.9, Power::battery, "battery.50percent", SC::orange},
        {25, Power::battery, "battery.50percent", SC::orange},  {24.9, Power::battery, "battery.25percent", SC::orange},
        {20, Power::battery, "battery.25percent", SC::orange},  {19.9, Power::battery, "battery.25percent", SC::red},
        {3, Power::battery, "battery.25percent", SC::red},
    };
    for (const auto& [percent, power, symbol, color] : cases) {
        const auto status = BatteryContent::status(test::StatsBuilder().battery(percent, power, 6.25));
        EXPECT_EQ(status.symbol, symbol) << percent;
        EXPECT_EQ(status.color, color) << percent;
    }
    test::ScopedLanguage language("en");
    SystemStats stats = test::StatsBuilder().battery(62, Power::battery, 9);
    EXPECT_EQ(BatteryContent::status(stats).timeRemaining, "Calculating...");
    stats.batteryTimeRemaining = 3600;
    EXPECT_EQ(BatteryContent::status(stats).timeRemaining, "1:00");
    const auto charging = BatteryContent::status(test::StatsBuilder().battery(62, Power::charging, 6.25));
    EXPECT_EQ(charging.chargingWatts, "6.2 W");
    EXPECT_EQ(charging.timeRemaining, "") << "no estimate on external power";
    EXPECT_TRUE(charging.pluggedIn);
}

TEST(BatteryContentTest, UsageRatioAndHealthChangeColourAtTheirBoundaries) {
    test::ScopedLanguage language("en");
    const std::tuple<double, const char*, SC> cases[] = {
        {14.9, "Normal", SC::green}, {15, "1.5x", SC::orange}, {29.9, "3.0x", SC::orange}, {30, "3.0x", SC::red}};
    for (const auto& [watts, ratio, color] : cases) {
        SystemStats stats = test::StatsBuilder().battery(50, test::Power::battery, watts);
        stats.systemBaselineWatts = 10;
        const auto usage = BatteryContent::usage(stats);
        EXPECT_EQ(usage.ratio, ratio) << watts;
        EXPECT_EQ(usage.color, color) << watts;
    }
    const auto learning = BatteryContent::usage(test::StatsBuilder().battery(50, test::Power::battery, 8));
    EXPECT_EQ(learning.normal, "--");
    EXPECT_EQ(learning.ratio, "") << "no average yet: no ratio";

    const std::tuple<double, SC> health[] = {{80, SC::green}, {79.9, SC::orange}, {60, SC::orange}, {59.9, SC::red}};
    for (const auto& [percent, color] : health) {
        SystemStats stats;
        stats.batteryHealthPercent = percent;
        EXPECT_EQ(BatteryContent::health(stats).color, color) << percent;
    }
    SystemStats none;
    EXPECT_FALSE(BatteryContent::hasBattery(none));
    none.batteryDesignCapacityMAh = 4000;
    EXPECT_TRUE(BatteryContent::hasBattery(none)) << "an empty battery is still a battery";
}

}  // namespace
}  // namespace corvelle
