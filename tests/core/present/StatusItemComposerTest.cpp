#include "present/StatusItemComposer.h"

#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(StatusItemComposer::labelGuide("CPU 12.3% | 61.3°C | Serious | 80% | 1:05"),
              "CPU 00.0% | 00.0°C | Serious | 00% | 0:00");
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
