#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/components/HeaderIconButton.h"
#include "app/components/SegmentedPicker.h"
#include "app/tabs/battery/BatteryTab.h"
#include "app/tabs/battery/EnergyGroupRow.h"
#include "app/tabs/battery/TopEnergyUsersCard.h"
#include "app/tabs/history/EnergyCard.h"
#include "app/tabs/history/HistoryTab.h"
#include "app/tabs/overview/OverviewTab.h"
#include "support/ScopedLanguage.h"

#include <QCoreApplication>
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

// On each reorderable tab, only while editing, a section dragged onto another takes its place; the
// new order is laid out at once and saved under the tab's own key, where a new panel starts from it.
TEST(ReorderableTabsTest, DraggingASectionReordersAndSavesUnderEachTabsKey) {
    test::PanelHarness harness(true);
    harness.monitor().stats().set(test::StatsBuilder().battery(62));
    const auto sectionsOf = [](const Panel& view, int tab) -> ReorderableForEach& {
        auto* content = view.tabContent();
        if (tab == 1) return dynamic_cast<OverviewTab&>(*content).sections();
        return tab == 3 ? dynamic_cast<BatteryTab&>(*content).sections() : dynamic_cast<HistoryTab&>(*content).sections();
    };
    std::map<int, std::vector<std::string>> shown;
    for (int tab : {1, 3, 4}) {
        auto view = harness.shownPanel(tab);
        auto& list = sectionsOf(*view, tab);
        const auto centre = [&](const std::string& id) { return list.view(id)->geometry().center(); };
        const std::string first = list.order()[0], third = list.order()[2];
        EXPECT_FALSE(test::dragAndDrop(list, first, centre(first), centre(third))) << tab << ": only while editing";
        view->headerButtons().front()->click();
        ASSERT_TRUE(list.isEditing());
        EXPECT_FALSE(test::dragAndDrop(list, "not-a-section", centre(first), centre(third))) << tab;
        ASSERT_TRUE(test::dragAndDrop(list, first, centre(first), centre(third)));
        EXPECT_EQ(list.order()[2], first);
        EXPECT_FALSE(list.view(first)->graphicsEffect() || list.delegate().hoveredItem()) << tab << ": drag over";
        QCoreApplication::sendPostedEvents();
        EXPECT_LT(list.view(third)->y(), list.view(first)->y()) << tab << ": laid out in the new order";
        shown[tab] = list.order();
    }
    for (int tab : {1, 3, 4}) EXPECT_EQ(sectionsOf(*harness.panel(nullptr, false, tab), tab).order(), shown[tab]) << tab;
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
