#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/components/HeaderIconButton.h"
#include "app/components/SegmentedPicker.h"
#include "app/tabs/battery/BatteryTab.h"
#include "app/tabs/battery/EnergyGroupRow.h"
#include "app/tabs/battery/TopEnergyUsersCard.h"
#include "app/tabs/history/EnergyCard.h"
#include "app/tabs/history/HistoryTab.h"
#include "support/ScopedLanguage.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <map>

namespace corvelle {
namespace {

TEST(HistoryTabTest, ThePickerSwitchesRanges) {
    test::ScopedLanguage language("en");
    test::PanelHarness harness(true);
    auto view = harness.shownPanel(4);
    auto& energy = dynamic_cast<HistoryTab&>(*view->tabContent()).energy();
    const auto pick = [&](int range) { energy.picker().segments()[static_cast<std::size_t>(range)]->click(); };
    // Each range shows what its rule makes of the monitor's data (HistoryContentTest checks the rules).
    // No energy counters: a range without data says so instead of waiting.
    EXPECT_EQ(energy.content().message, "This computer has no power meter") << "the hour at first";
    pick(1);
    EXPECT_EQ(energy.content().message, "This computer has no power meter") << "today has a sample but no energy";
    pick(2);
    EXPECT_EQ(energy.content().bars.size(), 7u) << "the week";
    pick(3);
    EXPECT_EQ(energy.content().bars.size(), 11u) << "ten recorded days and today";
    for (int tick = 0; tick < 3; ++tick) harness.monitor().powerHistory().modify([&](auto& h) { h.append(5.0 + tick); });
    pick(0);
    EXPECT_EQ(energy.content().figures.front().value, "7.0 W");
}

TEST(HistoryTabTest, ReorderingSavesUnderEachTabsKey) {
    test::PanelHarness harness(true);
    harness.monitor().stats().set(test::StatsBuilder().battery(62));
    const auto sectionsOf = [](const Panel& view, int tab) -> ReorderableForEach& {
        auto* content = view.tabContent();
        return tab == 3 ? dynamic_cast<BatteryTab&>(*content).sections() : dynamic_cast<HistoryTab&>(*content).sections();
    };
    std::map<int, std::vector<std::string>> shown;
    for (int tab : {3, 4}) {
        auto view = harness.shownPanel(tab);
        view->headerButtons().front()->click();
        auto& list = sectionsOf(*view, tab);
        ASSERT_TRUE(list.isEditing());
        const auto centre = [&](const std::string& id) { return list.view(id)->geometry().center(); };
        const std::string first = list.order()[0];
        ASSERT_TRUE(test::dragAndDrop(list, first, centre(first), centre(list.order()[2])));
        EXPECT_EQ(list.order()[2], first);
        shown[tab] = list.order();
    }
    // New panels start from the order each tab saved under its own key.
    for (int tab : {3, 4}) EXPECT_EQ(sectionsOf(*harness.panel(nullptr, false, tab), tab).order(), shown[tab]) << tab;
}

TEST(BatteryTabTest, AMachineWithoutBatterySaysSoAndStillListsTheTopUsers) {
    test::ScopedLanguage language("en");
    test::PanelHarness harness(false);
    auto view = harness.shownPanel(3);
    auto& tab = dynamic_cast<BatteryTab&>(*view->tabContent());
    EXPECT_TRUE(tab.noBatteryNotice()->isVisible()) << "the harness machine has no battery";
    for (auto section : {BatterySection::batteryStatus, BatterySection::usageComparison, BatterySection::health}) {
        EXPECT_FALSE(tab.card(section)->isVisible()) << toRaw(section);
    }
    auto& users = dynamic_cast<TopEnergyUsersCard&>(*tab.card(BatterySection::topEnergyUsers));
    EXPECT_TRUE(users.isVisible());

    std::vector<AppGroup> groups;
    for (int i = 0; i < 12; ++i) groups.push_back({"App " + std::to_string(i), 24.0 - i, 0, 1 + i % 3, 5.0 * i});
    harness.monitor().stats().set(test::StatsBuilder().battery(62, test::Power::battery, 9).apps(groups));
    EXPECT_FALSE(tab.noBatteryNotice()->isVisible());
    EXPECT_TRUE(tab.card(BatterySection::health)->isVisible());
    const auto rows = users.rows();
    ASSERT_EQ(rows.size(), 8u);
    const auto* firstRow = rows.front();
    harness.monitor().stats().set(test::StatsBuilder().battery(61, test::Power::battery, 9).apps({groups[3]}));
    ASSERT_EQ(users.rows().size(), 1u);
    EXPECT_EQ(users.rows().front(), firstRow) << "rows are kept and updated in place";
    EXPECT_EQ(firstRow->content().name, "App 3");
}

// Both tabs on a machine without battery and an empty store, and with a battery and 90 generated days, in both languages and themes; the
// history tab on its All range. Saved under artifacts/ for a look.
TEST(HistoryBatteryScreenshotTest, TabsInBothLanguagesAndThemes) {
    for (bool recorded : {false, true}) {
        auto harness = recorded ? std::make_unique<test::PanelHarness>(test::PanelHarness::Generated{90})
                                : std::make_unique<test::PanelHarness>(false);
        // The empty store's machine is a bare desktop.
        recorded ? harness->publishBusyMoment() : harness->monitor().stats().set(test::bareMoment());
        test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
            const QString suffix = QStringLiteral("%1-%2").arg(recorded ? "ninety-days" : "empty", variant);
            test::saveSheet(*harness->shownPanel(3), "battery-" + suffix, dark, recorded ? 800 : 300);
            auto history = harness->shownPanel(4);
            dynamic_cast<HistoryTab&>(*history->tabContent()).energy().picker().segments()[3]->click();
            test::saveSheet(*history, "history-" + suffix, dark, 1500);
        });
    }
}

}  // namespace
}  // namespace corvelle
