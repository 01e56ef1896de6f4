#include "app/status/PanelPlacement.h"
#include "app/status/StatusMenu.h"
#include "app/status/TitleFont.h"
#include "app/views/WidgetCardContent.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace corvelle {
namespace {

using test::Power;
using test::StatsBuilder;

TEST(PanelPlacementTest, CentresUnderTheIconAndStaysOnScreen) {
    const QSize panel(480, 620);
    const QRect screen(0, 28, 1280, 772);  // below a 28-pixel top bar
    const std::tuple<const char*, std::optional<QRect>, std::optional<QRect>, QPoint> cases[] = {
        {"middle", QRect(600, 2, 24, 24), screen, {372, 30}},
        {"right edge", QRect(1250, 2, 24, 24), screen, {800, 30}},
        {"left edge", QRect(4, 2, 24, 24), screen, {0, 30}},
        {"tray at the bottom", QRect(1200, 776, 24, 24), QRect(0, 0, 1280, 772), {800, 152}},
        {"second screen", QRect(1900, 0, 20, 20), QRect(1280, 0, 1920, 1080), {1670, 24}},
        {"no screen", QRect(10, 0, 20, 20), std::nullopt, {-220, 24}},
        {"click point in the top bar", QRect(900, 10, 1, 1), screen, {661, 28}},
        {"no icon geometry", std::nullopt, screen, {796, 32}},
        {"empty icon geometry", QRect(), screen, {796, 32}},
        {"nothing known", std::nullopt, std::nullopt, {0, 0}},
    };
    for (const auto& [what, icon, available, expected] : cases) {
        EXPECT_EQ(PanelPlacement::origin(icon, panel, available), expected) << what;
    }
    // Wider than the screen: the right edge wins.
    EXPECT_EQ(PanelPlacement::origin(QRect(100, 0, 20, 20), QSize(900, 100), QRect(0, 0, 800, 600)).x(), -100);
}

TEST(TitleFontTest, DigitsAreEquallyWide) {
    EXPECT_TRUE(TitleFont::hasEqualDigits(TitleFont::make({})));
    EXPECT_EQ(TitleFont::make({.weight = MenuBarTitle::Weight::medium}).weight(), QFont::Medium);
}

// Each row's action is checked through the shell (AppDelegateTest).
TEST(StatusMenuTest, RowsInTheCurrentLanguageWithAQuitShortcut) {
    test::ScopedLanguage language("es");
    std::unique_ptr<QMenu> menu(buildStatusMenu({[] {}, [] {}, [] {}}));
    const auto rows = menu->actions();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[3]->text(), "Salir de Corvelle");
    EXPECT_TRUE(rows[2]->isSeparator());
    EXPECT_EQ(rows[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST(WidgetCardContentTest, ValuesIconsAndColoursFollowTheReadings) {
    auto stats = [](auto change) {
        SystemStats s;
        change(s);
        return s;
    };
    using W = PinnedWidget;
    using SC = SystemColor;
    const std::tuple<const char*, W, SystemStats, std::string, std::string, SC> cases[] = {
        {"charging", W::battery, StatsBuilder().battery(12, Power::charging), "battery.100percent.bolt",
         "12%", SC::green},
        {"full", W::battery, StatsBuilder().battery(75), "battery.100percent", "75%", SC::green},
        {"half", W::battery, StatsBuilder().battery(50), "battery.75percent", "50%", SC::green},
        {"low half", W::battery, StatsBuilder().battery(49.6), "battery.50percent", "50%", SC::orange},
        {"20", W::battery, StatsBuilder().battery(20), "battery.25percent", "20%", SC::orange},
        {"19.9", W::battery, StatsBuilder().battery(19.9), "battery.25percent", "20%", SC::red},
        {"no battery", W::battery, SystemStats{}, "battery.0percent", "--", SC::secondary},
        {"cpu 80", W::cpu, StatsBuilder().cpu(80), "cpu", "80.0%", SC::red},
        {"cpu 50", W::cpu, StatsBuilder().cpu(50), "cpu", "50.0%", SC::orange},
        {"cpu 49.99", W::cpu, StatsBuilder().cpu(49.99), "cpu", "50.0%", SC::blue},
        {"E-core when no P-core", W::temperature,
         stats([](auto& s) { s.eCoreTemp = 41.2; s.gpuTemp = 38; }), "thermometer.medium", "41.2°C", SC::blue},
        {"hot GPU only", W::temperature, stats([](auto& s) { s.gpuTemp = 90; }), "thermometer.medium",
         "90.0°C", SC::red},
        {"warm P-core", W::temperature, stats([](auto& s) { s.pCoreTemp = 70; s.gpuTemp = 95; }),
         "thermometer.medium", "70.0°C", SC::orange},
        {"no temperature", W::temperature, SystemStats{}, "thermometer.medium", "--", SC::blue},
        {"power", W::power, stats([](auto& s) { s.totalPowerWatts = 7.25; }), "bolt.fill", "7.2 W", SC::purple},
        {"no power", W::power, SystemStats{}, "bolt.fill", "--", SC::purple},
        {"no memory total", W::memory, stats([](auto& s) { s.memoryAppUsed = 5; }), "memorychip", "--", SC::blue},
        {"memory 85", W::memory,
         stats([](auto& s) { s.memoryTotal = 100; s.memoryAppUsed = 60; s.memoryWired = 20; s.memoryCompressed = 5; }),
         "memorychip", "85%", SC::red},
        {"memory 65", W::memory, stats([](auto& s) { s.memoryTotal = 200; s.memoryAppUsed = 130; }),
         "memorychip", "65%", SC::orange},
    };
    test::ScopedLanguage language("en");
    for (const auto& [what, widget, stats, icon, value, color] : cases) {
        const auto card = widgetCardContent(widget, stats);
        EXPECT_EQ(card.icon, icon) << what;
        EXPECT_EQ(card.value, value) << what;
        EXPECT_EQ(card.color, color) << what;
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
    const auto power = widgetCardContent(PinnedWidget::power, stats).detail;
    EXPECT_NE(power.find("CPU 3.2 W"), std::string::npos) << power;
    EXPECT_NE(power.find("GPU: 1.1 W"), std::string::npos) << power;
}

}  // namespace
}  // namespace corvelle
