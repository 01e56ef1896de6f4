#include "monitor/StatusItemComposer.h"

#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using StatusItemComposer::batteryIcon;

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
    s.batteryTimeRemaining = 3900;
    EXPECT_EQ(titleText(s, everything), " CPU 12.3% | Serious | 80% | 1:05");
    s.pCoreTemp = 61.27;
    EXPECT_EQ(titleText(s, everything), " CPU 12.3% | 61.3°C | Serious | 80% | 1:05");
}

TEST(StatusItemTitle, BatteryParts) {
    test::ScopedLanguage english("en");
    const struct {
        bool pluggedIn;
        double watts;
        double remaining;
        bool showPercent;
        const char* expected;
    } cases[] = {
        {true, 0, 0, true, " 80%"},
        {true, 12.0, 0, true, " 80% | \u26A112.0 W"},
        {false, 9.0, 3900, true, " 80% | 1:05"},
        {false, 9.0, 1800, true, " 80% | 30 min"},
        {false, 9.0, 0, true, " 80%"},
        {false, 9.0, 1800, false, " 30 min"},
        {true, 12.0, 1800, false, " \u26A112.0 W"},
    };
    for (const auto& c : cases) {
        SystemStats s;
        s.batteryPercentage = 80;
        s.batteryIsPluggedIn = c.pluggedIn;
        s.batteryWatts = c.watts;
        s.batteryTimeRemaining = c.remaining;
        EXPECT_EQ(titleText(s, {.showBattery = true, .showBatteryPercent = c.showPercent}), c.expected);
    }
    SystemStats noBattery;
    EXPECT_EQ(titleText(noBattery, {false, true, true, true, true}), "");
}

TEST(StatusItemIcon, LevelsColoursAndBadge) {
    test::ScopedLanguage english("en");
    const struct {
        double percent;
        bool charging;
        bool plugged;
        const char* symbol;
        SystemColor color;
        bool badge;
        const char* key;
    } cases[] = {
        {9, false, false, "battery.0", SystemColor::red, false, "battery.0-Battery"},
        {10, false, false, "battery.25", SystemColor::red, false, "battery.25-Battery"},
        {20, false, false, "battery.25", SystemColor::orange, false, "battery.25-Battery"},
        {49.9, false, false, "battery.50", SystemColor::orange, false, "battery.50-Battery"},
        {62, false, false, "battery.75", SystemColor::green, false, "battery.75-Battery"},
        {74.9, true, true, "battery.75.bolt", SystemColor::green, false, "battery.75.bolt-Charging"},
        {100, true, true, "battery.100.bolt", SystemColor::green, false, "battery.100.bolt-Charging"},
        {100, false, true, "battery.100", SystemColor::blue, true, ""},
    };
    for (const auto& c : cases) {
        SystemStats s;
        s.batteryPercentage = c.percent;
        s.batteryIsCharging = c.charging;
        s.batteryIsPluggedIn = c.plugged;
        auto icon = batteryIcon(s);
        ASSERT_TRUE(icon) << c.percent;
        EXPECT_EQ(icon->symbolName, c.symbol) << c.percent;
        EXPECT_EQ(icon->color, c.color) << c.percent;
        EXPECT_EQ(icon->plugBadge, c.badge) << c.percent;
        EXPECT_EQ(icon->key(), c.key) << c.percent;
    }
    SystemStats none;
    EXPECT_FALSE(batteryIcon(none));
}

TEST(StatusItem, ThermalAndBatteryLabelsInSpanish) {
    test::ScopedLanguage spanish("es");
    SystemStats s;
    s.thermalLevel = ThermalLevel::trapping;
    EXPECT_EQ(titleText(s, {.showThermal = true}), " Crítico");
    s.batteryPercentage = 50;
    EXPECT_EQ(batteryIcon(s)->key(), "battery.75-Batería");
    s.batteryIsPluggedIn = true;
    EXPECT_EQ(batteryIcon(s)->stateLabel, "Conectado");
}

}  // namespace
}  // namespace corvelle
