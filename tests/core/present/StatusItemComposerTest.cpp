#include "present/StatusItemComposer.h"

#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace corvelle {
namespace {

using StatusItemComposer::batteryIcon;
using test::Power;
using test::StatsBuilder;

std::string titleText(const SystemStats& s, const StatusItemComposer::TitleOptions& options) {
    return StatusItemComposer::title(s, options).text;
}

const StatusItemComposer::TitleOptions everything{true, true, true, true, true};

TEST(StatusItemTitle, ComposesPartsInOrder) {
    test::ScopedLanguage english("en");
    SystemStats s;
    EXPECT_EQ(titleText(s, {}), "");
    s.cpuTotalUsage = 12.345;
    EXPECT_EQ(titleText(s, {.showCPU = true}), " CPU 12.3%");

    s.pCoreTemp = 0;  // no reading hides the temperature
    s.thermalLevel = ThermalLevel::heavy;
    s.batteryPercentage = 80;
    s.batteryIsPresent = true;
    s.batteryTimeRemaining = 3900;
    EXPECT_EQ(titleText(s, everything), " CPU 12.3% | Serious | 80% | 1:05");
    s.pCoreTemp = 61.27;
    EXPECT_EQ(titleText(s, everything), " CPU 12.3% | 61.3°C | Serious | 80% | 1:05");
}

long characters(const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

// The guide of the same parts stays put while the figures move, and no title outgrows it.
TEST(StatusItemTitle, GuideHoldsTheWidestTitleOfItsParts) {
    for (const char* language : {"en", "es"}) {
        test::ScopedLanguage chosen(language);
        const struct { double cpu, temp, percent, watts, remaining; ThermalLevel level; } figures[] = {
            {0, 5, 1, 0.5, 60, ThermalLevel::moderate},        {9.5, 45.2, 8, 9.9, 1800, ThermalLevel::heavy},
            {100, 99.9, 100, 99.9, 3599, ThermalLevel::trapping}, {42, 61.3, 55, 45, 36000, ThermalLevel::sleeping},
        };
        for (const Power power : {Power::battery, Power::charging}) {
            std::set<std::string> guides;
            for (const auto& f : figures) {
                SystemStats s = StatsBuilder().battery(f.percent, power, f.watts).cpu(f.cpu);
                s.pCoreTemp = f.temp;
                s.thermalLevel = f.level;
                s.batteryTimeRemaining = f.remaining;
                const MenuBarTitle title = StatusItemComposer::title(s, everything);
                EXPECT_GE(characters(title.guide), characters(title.text)) << title.text;
                guides.insert(title.guide);
            }
            EXPECT_EQ(guides.size(), 1u) << language << ": " << *guides.begin();
        }
    }
    test::ScopedLanguage english("en");
    SystemStats hot = StatsBuilder().battery(80, Power::charging, 120).cpu(5);
    hot.pCoreTemp = 104.5;
    EXPECT_EQ(StatusItemComposer::title(hot, everything).guide, " CPU 000.0% | 000.0°C | 000% | \u26A1000.0 W")
        << "a figure past its usual width widens the guide";
}

TEST(StatusItemTitle, BatteryParts) {
    test::ScopedLanguage english("en");
    const struct { Power power; double watts; double remaining; bool showPercent; const char* expected; } cases[] = {
        {Power::pluggedIn, 0, 0, true, " 80%"}, {Power::pluggedIn, 12.0, 0, true, " 80% | \u26A112.0 W"},
        {Power::battery, 9.0, 3900, true, " 80% | 1:05"}, {Power::battery, 9.0, 1800, true, " 80% | 30 min"},
        {Power::battery, 9.0, 0, true, " 80%"}, {Power::battery, 9.0, 1800, false, " 30 min"},
        {Power::pluggedIn, 12.0, 1800, false, " \u26A112.0 W"},
    };
    for (const auto& c : cases) {
        SystemStats s = StatsBuilder().battery(80, c.power, c.watts);
        s.batteryTimeRemaining = c.remaining;
        EXPECT_EQ(titleText(s, {.showBattery = true, .showBatteryPercent = c.showPercent}), c.expected);
    }
    EXPECT_EQ(titleText(SystemStats{}, {false, true, true, true, true}), "");
}

TEST(StatusItemIcon, LevelsColoursAndBadge) {
    test::ScopedLanguage english("en");
    const struct { double percent; Power power; std::string symbol; SystemColor color; bool badge; std::string key; } cases[] = {
        {9, Power::battery, "battery.0", SystemColor::red, false, "battery.0-Battery"},
        {10, Power::battery, "battery.25", SystemColor::red, false, "battery.25-Battery"},
        {20, Power::battery, "battery.25", SystemColor::orange, false, "battery.25-Battery"},
        {49.9, Power::battery, "battery.50", SystemColor::orange, false, "battery.50-Battery"},
        {62, Power::battery, "battery.75", SystemColor::green, false, "battery.75-Battery"},
        {74.9, Power::charging, "battery.75.bolt", SystemColor::green, false, "battery.75.bolt-Charging"},
        {100, Power::charging, "battery.100.bolt", SystemColor::green, false, "battery.100.bolt-Charging"},
        {100, Power::pluggedIn, "battery.100", SystemColor::blue, true, ""},
    };
    for (const auto& c : cases) {
        const auto icon = batteryIcon(StatsBuilder().battery(c.percent, c.power));
        EXPECT_EQ(std::make_tuple(icon.symbolName, icon.color, icon.plugBadge, icon.key()),
                  std::tie(c.symbol, c.color, c.badge, c.key)) << c.percent;
    }
    EXPECT_EQ(batteryIcon(SystemStats{}).symbolName, "desktopcomputer") << "no battery: a monitor";
    // No percentage, no level: no guess, and never the last level shown, plugged in or not.
    for (const auto power : {Power::battery, Power::pluggedIn}) {
        SystemStats unknown = StatsBuilder().battery(62, power);
        const std::string known = batteryIcon(unknown).key();
        unknown.batteryPercentage.reset();
        const auto icon = batteryIcon(unknown);
        EXPECT_EQ(std::make_tuple(icon.symbolName, icon.color, icon.plugBadge), std::make_tuple("battery.unknown", SystemColor::secondary, false));
        EXPECT_NE(icon.key(), known) << "the status item is told of the change";
    }
}

}  // namespace
}  // namespace corvelle
