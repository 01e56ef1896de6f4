#include "PanelHarness.h"
#include "app/views/components/CardFrame.h"
#include "app/views/components/LearnMoreView.h"
#include "app/views/tabs/ProcessesTab.h"
#include "app/views/tabs/TipsTab.h"
#include "app/views/tabs/processes/ProcessRowView.h"
#include "app/views/tabs/processes/SortHeader.h"
#include "app/views/tabs/tips/AdviceCard.h"
#include "support/ScopedLanguage.h"

#include <QCoreApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>

namespace corvelle {
namespace {

using SortOrder = ProcessesTab::SortOrder;

void publish(test::PanelHarness& harness, std::vector<ProcStats> processes) {
    SystemStats stats = test::StatsBuilder().battery(60, test::Power::pluggedIn);
    stats.topProcesses = std::move(processes);
    harness.monitor().stats().set(stats);
}

std::vector<std::string> names(const ProcessesTab& tab) {
    std::vector<std::string> result;
    for (const auto* row : tab.rows()) result.push_back(row->process().name);
    return result;
}

// The row widgets alive under the tab (findChildren needs a meta-object the rows do not have).
std::size_t rowWidgets(const ProcessesTab& tab) {
    const auto widgets = tab.findChildren<QWidget*>();
    return static_cast<std::size_t>(std::count_if(widgets.begin(), widgets.end(), [](QWidget* widget) {
        return dynamic_cast<ProcessRowView*>(widget) != nullptr;
    }));
}

// A shown panel of the harness on the tab `tag`.
struct OpenPanel {
    OpenPanel(test::PanelHarness& harness, int tag) : view(harness.panel()) {
        view->setSelectedTab(tag);
        view->show();
    }
    template <typename Tab>
    Tab& tab() const {
        return dynamic_cast<Tab&>(*view->tabContent());
    }
    std::unique_ptr<MainPopover> view;
};

const std::vector<ProcStats> someProcesses{{10, "compiler", 80, 200 << 20, 1, 120},
                                           {11, "browser", 20, 900 << 20, 1, 30},
                                           {12, "editor", 2, 400 << 20, 1, 3}};

TEST(ProcessesTabTest, TheMemoryHeaderResortsAndTheOrderOutlivesTicksAndHiding) {
    test::PanelHarness harness(false);
    OpenPanel panel(harness, 2);
    auto& tab = panel.tab<ProcessesTab>();
    publish(harness, someProcesses);
    EXPECT_EQ(names(tab), (std::vector<std::string>{"compiler", "browser", "editor"}));
    EXPECT_TRUE(tab.header(SortOrder::cpu)->isActive());

    tab.header(SortOrder::memory)->click();
    EXPECT_EQ(names(tab), (std::vector<std::string>{"browser", "editor", "compiler"}));
    EXPECT_TRUE(tab.header(SortOrder::memory)->isActive());
    EXPECT_TRUE(tab.header(SortOrder::memory)->isChecked());
    EXPECT_FALSE(tab.header(SortOrder::cpu)->isActive());
    tab.header(SortOrder::memory)->click();
    EXPECT_TRUE(tab.header(SortOrder::memory)->isChecked()) << "clicking the active column keeps it";

    auto next = someProcesses;
    next[2].memoryBytes = 2000 << 20;
    publish(harness, next);
    EXPECT_EQ(names(tab), (std::vector<std::string>{"editor", "browser", "compiler"})) << "a new snapshot";
    panel.view->hide();
    panel.view->show();
    EXPECT_EQ(tab.sortOrder(), SortOrder::memory);
    EXPECT_FALSE(tab.rows().back()->hasDividerBelow());
    EXPECT_TRUE(tab.rows().front()->hasDividerBelow());
}

TEST(ProcessesTabTest, RowsAreKeptPerPidAndAnEmptyListKeepsTheHeader) {
    test::PanelHarness harness(false);
    OpenPanel panel(harness, 2);
    auto& tab = panel.tab<ProcessesTab>();
    publish(harness, someProcesses);
    ProcessRowView* editor = tab.rows()[2];
    auto next = someProcesses;
    next[2].cpuPercent = 95;  // the editor moves to the top
    next[0] = {13, "shell", 1, 1 << 20, 1, 1};  // the compiler ends, a shell starts
    publish(harness, next);
    ASSERT_EQ(tab.rows().size(), 3u);
    EXPECT_EQ(tab.rows()[0], editor) << "the same widget, updated in place";
    EXPECT_EQ(editor->content().cpu, "95.0%");
    EXPECT_EQ(names(tab), (std::vector<std::string>{"editor", "browser", "shell"}));
    EXPECT_EQ(rowWidgets(tab), 3u) << "the compiler's row is gone";
    QCoreApplication::sendPostedEvents();
    EXPECT_LT(tab.rows()[0]->y(), tab.rows()[1]->y()) << "laid out in the new order";

    publish(harness, {});
    EXPECT_TRUE(tab.rows().empty());
    EXPECT_EQ(rowWidgets(tab), 0u);
    EXPECT_TRUE(tab.header(SortOrder::name)->isVisible());
    EXPECT_EQ(tab.header(SortOrder::name)->accessibleName(), "Process");
    test::ScopedLanguage language("es");
    tab.retranslate();
    EXPECT_EQ(tab.header(SortOrder::energy)->accessibleName(), "Energía");
}

TEST(TipsTabTest, ANominalMachineIsAllGoodAndFactsWaitForData) {
    test::ScopedLanguage language("en");
    test::PanelHarness harness(false);
    OpenPanel panel(harness, 0);
    auto& tab = panel.tab<TipsTab>();
    publish(harness, {});
    EXPECT_TRUE(tab.tipCards().empty());
    EXPECT_TRUE(tab.allGoodCard()->isVisible());
    EXPECT_TRUE(tab.factRows().empty());
    EXPECT_TRUE(tab.learningMessage()->isVisible());
    EXPECT_TRUE(tab.learningMessage()->text().startsWith("Corvelle is still learning about your computer."));
    ASSERT_EQ(tab.guide().size(), 18u);

    // Hot and busy on battery: a critical tip in red first, facts instead of the message.
    SystemStats busy = test::StatsBuilder().battery(45, test::Power::battery, 18).cores(4, 8).memory(6ULL << 30, 16ULL << 30);
    busy.thermalLevel = ThermalLevel::heavy;
    busy.pCoreTemp = 75;
    harness.monitor().stats().set(busy);
    ASSERT_FALSE(tab.tipCards().empty());
    EXPECT_FALSE(tab.allGoodCard()->isVisible());
    EXPECT_EQ(tab.tipCards().front()->title(), "Your computer is overheating");
    EXPECT_EQ(tab.tipCards().front()->color(), SystemColor::red);
    EXPECT_EQ(tab.tipCards().back()->color(), SystemColor::green) << "healthy range";
    EXPECT_FALSE(tab.factRows().empty());
    EXPECT_FALSE(tab.learningMessage()->isVisible());

    publish(harness, {});
    EXPECT_TRUE(tab.tipCards().empty()) << "cards hidden again";
    EXPECT_TRUE(tab.allGoodCard()->isVisible());
}

}  // namespace
}  // namespace corvelle
