#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/components/DisclosureRow.h"
#include "app/components/HeaderIconButton.h"
#include "app/components/LearnMoreView.h"
#include "app/components/ReorderableForEach.h"
#include "app/tabs/overview/CpuCard.h"
#include "app/tabs/overview/GraphicsCard.h"
#include "app/tabs/overview/HabitScoreBar.h"
#include "app/tabs/overview/HabitScoreCard.h"
#include "app/tabs/overview/HealthTrendCard.h"
#include "app/tabs/overview/PredictionCard.h"
#include "app/tabs/overview/UsagePatternsCard.h"
#include "present/TipsContent.h"
#include "support/ScopedLanguage.h"
#include "support/ScopedTimeZone.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::cardOf;
using test::overviewOf;

TEST(OverviewTabTest, ATabIsBuiltOnceAndKeepsItsStateAcrossTabsAndLanguages) {
    test::PanelHarness harness(true);
    harness.publishBusyMoment();
    auto view = harness.panel(&AppSettings::shared());
    view->show();
    OverviewTab* overview = &overviewOf(*view);
    auto& habits = cardOf<HabitScoreCard>(*view, OverviewSection::habitScore).bar();
    habits.toggle("Thermal");
    auto* scroll = view->findChild<QScrollArea*>();
    scroll->verticalScrollBar()->setValue(120);
    view->setSelectedTab(3);
    EXPECT_NE(view->tabContent(), overview);
    view->setSelectedTab(1);
    {
        test::ScopedLanguage language("es");
        EXPECT_EQ(view->tabContent(), overview);
        EXPECT_EQ(habits.expandedLabel(), "Thermal");
        EXPECT_EQ(habits.rows()[1]->label(), "Térmico") << "retranslated at once, without a tick";
        EXPECT_TRUE(cardOf<PredictionCard>(*view, OverviewSection::prediction).text().startsWith("Tasa de degradación: "));
        EXPECT_EQ(view->tabButtons()[1]->toolTip(), "Resumen");
    }
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 120);
    EXPECT_EQ(habits.rows()[1]->label(), "Thermal");
}

TEST(OverviewTabTest, OnlyAVisiblePanelFollowsTheMonitor) {
    test::PanelHarness harness(false);
    auto view = harness.panel();
    const auto& cpu = cardOf<CpuCard>(*view, OverviewSection::cpu);
    harness.monitor().stats().set(test::StatsBuilder().cpu(50));
    EXPECT_EQ(cpu.content().total, "") << "hidden: no view work";
    view->show();
    EXPECT_EQ(cpu.content().total, "50.0%") << "refreshed as it is shown";
    view->setSelectedTab(0);
    harness.monitor().stats().set(test::StatsBuilder().cpu(60));
    EXPECT_EQ(cpu.content().total, "50.0%") << "another tab is selected";
    view->setSelectedTab(1);
    EXPECT_EQ(cpu.content().total, "60.0%");
    view->hide();
    harness.monitor().stats().set(test::StatsBuilder().cpu(70));
    EXPECT_EQ(cpu.content().total, "60.0%");
}

TEST(OverviewTabTest, TheLargerWindowListsEveryBusyHour) {
    test::PanelHarness harness(true);
    for (bool detail : {false, true}) {
        auto view = harness.shownPanel(1, detail);
        EXPECT_EQ(cardOf<UsagePatternsCard>(*view, OverviewSection::usagePatterns).content().rows.size(), detail ? 15u : 3u);
    }
}

// A desktop on for a whole day: its record has no battery time, discharge, charge or low charge;
// nothing grades, follows or predicts a battery, no advice is about one, and the status item is a monitor.
TEST(OverviewTabTest, ADesktopDayRecordsNoBatteryAndItsCardsSaySo) {
    test::ScopedLanguage language("en");
    test::ScopedTimeZone zone("UTC0");
    test::PanelHarness harness(false);  // from 2025-06-15 15:06:40
    harness.h.settings.setPollingInterval(10);
    harness.h.loop->advance(33 * 3600.0);  // through the whole of 06-16
    auto& monitor = harness.monitor();
    const auto& days = monitor.usageStore().history().dailySnapshots;
    ASSERT_EQ(days.size(), 3u);
    EXPECT_GE(days[1].sampleCount, 8639);
    EXPECT_EQ(days[1].battery, BatteryDailyAggregate{});
    EXPECT_FALSE(monitor.habitScore().get() || monitor.healthPrediction().get() || !monitor.usageStore().healthEntries().empty());

    harness.publishBusyMoment(false);
    auto view = harness.shownPanel();
    const std::string note = "No battery. This computer runs on external power only.";
    const auto& habits = cardOf<HabitScoreCard>(*view, OverviewSection::habitScore);
    EXPECT_TRUE(habits.isVisible() && habits.bar().isHidden() && habits.note().toStdString() == note);
    EXPECT_EQ(cardOf<HealthTrendCard>(*view, OverviewSection::healthTrend).content(), (OverviewContent::HealthTrend{{}, {}, {}, note}));
    EXPECT_EQ(cardOf<PredictionCard>(*view, OverviewSection::prediction).text().toStdString(), note);

    const auto advice = TipsContent::content(monitor.stats().get(), std::nullopt, monitor.healthPrediction().get(), monitor.habitScore().get());
    std::string text;
    for (const auto& tip : advice.tips) text += tip.title + " " + tip.detail + "\n";
    for (const auto& fact : advice.facts) text += fact.text + "\n";
    EXPECT_FALSE(advice.tips.empty() || advice.facts.empty()) << "a busy, hot moment has advice";
    for (const char* word : {"attery", "harg", "plug"}) EXPECT_EQ(text.find(word), std::string::npos) << word << " in " << text;
}

TEST(OverviewComponentsTest, OneHabitRowOpensAtATimeAndExplainersToggle) {
    test::ScopedLanguage language("en");
    HabitScoreBar bar;
    bar.setScore({82, "B", {25, 25, "Charging", "good"}, {12, 25, "Thermal", "high_thermal"},
                  {20, 25, "Discharge", "good"}, {25, 25, "Plug Balance", "good"}});
    bar.rows()[1]->click();
    EXPECT_EQ(bar.expandedLabel(), "Thermal");
    bar.rows()[2]->click();
    EXPECT_EQ(bar.expandedLabel(), "Discharge");
    EXPECT_FALSE(bar.rows()[1]->isOpen());
    bar.rows()[2]->click();
    EXPECT_FALSE(bar.expandedLabel());

    LearnMoreView explainer(Explainer::thermal);
    EXPECT_EQ(explainer.row()->label(), "What is this?");
    explainer.row()->click();
    EXPECT_TRUE(explainer.isExpanded());
    EXPECT_NE(explainer.row()->label(), "What is this?");
}

// The panel as it opens on the overview tab, beside the whole tab as it scrolls, for every
// store, language and theme; saved under artifacts/ for a look. The empty store's machine is a bare desktop.
TEST(OverviewScreenshotTest, PanelsInBothLanguagesAndThemes) {
    for (bool recorded : {false, true}) {
        test::PanelHarness harness(recorded);
        recorded ? harness.publishBusyMoment() : harness.monitor().stats().set(test::bareMoment());
        test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
            auto view = harness.shownPanel();
            const QString name = QStringLiteral("overview-%1-%2").arg(recorded ? "ten-days" : "empty", variant);
            QCoreApplication::sendPostedEvents();
            // Cards hidden by the refresh leave no gaps: the tab's stretch, not the sections, takes the room.
            const auto& sections = test::overviewOf(*view).sections();
            EXPECT_LE(sections.height(), sections.sizeHint().height()) << name.toStdString();
            EXPECT_EQ(test::cardOf<GraphicsCard>(*view, OverviewSection::graphics).content().rows.size(), 2u);
            EXPECT_GT(test::saveSheet(*view, name, dark, 2000).height(), view->height()) << "the overview scrolls";
        });
    }
}

}  // namespace
}  // namespace corvelle
