#include "present/WidgetCardContent.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvelle {
namespace {

using test::Power;
using test::StatsBuilder;

TEST(WidgetCardContentTest, ValuesIconsAndColoursFollowTheReadings) {
    auto stats = [](auto change) {
        SystemStats s;
        change(s);
        return s;
    };
    using W = PinnedWidget;
    using SC = SystemColor;
    // The battery's steps and colours come from the same rule as the battery tab's (BatteryContentTest checks
    // its boundaries); the card adds the figure, the charging bolt and no figure without a battery.
    const std::tuple<const char*, W, SystemStats, std::string, std::string, SC> cases[] = {
        {"charging", W::battery, StatsBuilder().battery(12, Power::charging), "battery.100percent.bolt", "12%", SC::green},
        {"low half", W::battery, StatsBuilder().battery(49.6), "battery.50percent", "50%", SC::orange},
        {"no battery", W::battery, SystemStats{}, "battery.0percent", "--", SC::secondary},
        {"cpu 80", W::cpu, StatsBuilder().cpu(80), "cpu", "80.0%", SC::red},
        {"cpu 50", W::cpu, StatsBuilder().cpu(50), "cpu", "50.0%", SC::orange},
        {"cpu 49.99", W::cpu, StatsBuilder().cpu(49.99), "cpu", "50.0%", SC::blue},
        {"E-core when no P-core", W::temperature, stats([](auto& s) { s.eCoreTemp = 41.2; s.gpuTemp = 38; }), "thermometer.medium", "41.2°C", SC::blue},
        {"hot GPU only", W::temperature, stats([](auto& s) { s.gpuTemp = 90; }), "thermometer.medium", "90.0°C", SC::red},
        {"warm P-core", W::temperature, stats([](auto& s) { s.pCoreTemp = 70; s.gpuTemp = 95; }), "thermometer.medium", "70.0°C", SC::orange},
        {"no temperature", W::temperature, SystemStats{}, "thermometer.medium", "--", SC::blue},
        {"power", W::power, stats([](auto& s) { s.totalPowerWatts = 7.25; }), "bolt.fill", "7.2 W", SC::purple},
        {"no power", W::power, SystemStats{}, "bolt.fill", "--", SC::purple},
        {"no memory total", W::memory, stats([](auto& s) { s.memoryAppUsed = 5; }), "memorychip", "--", SC::blue},
        {"memory 85", W::memory, stats([](auto& s) { s.memoryTotal = 100; s.memoryAppUsed = 60; s.memoryWired = 20; s.memoryCompressed = 5; }), "memorychip", "85%", SC::red},
        {"memory 65", W::memory, stats([](auto& s) { s.memoryTotal = 200; s.memoryAppUsed = 130; }), "memorychip", "65%", SC::orange},
    };
    test::ScopedLanguage language("en");
    for (const auto& [what, widget, stats, icon, value, color] : cases) {
        const auto card = widgetCardContent(widget, stats);
        EXPECT_EQ(std::tie(card.icon, card.value, card.color), std::tie(icon, value, color)) << what;
    }
}

TEST(WidgetCardContentTest, LabelsAndDetailLines) {
    SystemStats stats = StatsBuilder().battery(80, Power::pluggedIn);
    stats.cpuPowerWatts = 3.21;
    stats.gpuPowerWatts = 1.05;
    {
        test::ScopedLanguage language("es");
        EXPECT_EQ(widgetCardContent(PinnedWidget::memory, stats).label, "Memoria");
    }
    EXPECT_EQ(widgetCardContent(PinnedWidget::battery, stats).detailIcon, "powerplug.fill");
    stats.batteryIsPluggedIn = false;
    EXPECT_EQ(widgetCardContent(PinnedWidget::battery, stats).detailIcon, "");
    EXPECT_EQ(widgetCardContent(PinnedWidget::power, stats).detail, "This computer has no power meter");
    stats.powerMeter = PowerMeter::sysfs;
    EXPECT_EQ(widgetCardContent(PinnedWidget::power, stats).detail, "CPU 3.2 W  GPU: 1.1 W");
    stats.gpuPowerWatts = 0;
    EXPECT_EQ(widgetCardContent(PinnedWidget::power, stats).detail, "CPU 3.2 W  GPU: --");
    // A computer without a battery says so under the dashes; a battery that hides its charge does not.
    EXPECT_EQ(widgetCardContent(PinnedWidget::battery, SystemStats{}).detail, "No battery");
    stats.batteryPercentage.reset();
    EXPECT_EQ(widgetCardContent(PinnedWidget::battery, stats).detail, "");
}

}  // namespace
}  // namespace corvelle
