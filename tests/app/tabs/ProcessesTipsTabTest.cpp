#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/components/CardFrame.h"
#include "app/components/LearnMoreView.h"
#include "app/tabs/processes/ProcessRowView.h"
#include "app/tabs/processes/ProcessesTab.h"
#include "app/tabs/processes/SortHeader.h"
#include "app/tabs/tips/AdviceCard.h"
#include "app/tabs/tips/TipsTab.h"
#include "support/Each.h"
#include "support/ScopedLanguage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

#include <utility>

namespace corvelle {
namespace {

using SortOrder = ProcessesTab::SortOrder;

// A shown panel on the tab `tag`, over a monitor on fake sources.
struct OpenPanel {
    explicit OpenPanel(int tag) : view(harness.shownPanel(tag)) {}
    template <typename Tab>
    Tab& tab() const { return dynamic_cast<Tab&>(*view->tabContent()); }
    // A snapshot plugged in at 60 % with these processes.
    void publish(std::vector<ProcStats> processes) {
        SystemStats stats = test::StatsBuilder().battery(60, test::Power::pluggedIn);
        stats.topProcesses = std::move(processes);
        harness.monitor().stats().set(stats);
    }
    test::PanelHarness harness{false};
    std::unique_ptr<Panel> view;
};

std::vector<std::string> names(const ProcessesTab& tab) {
    return test::each(tab.rows(), [](const ProcessRowView* row) { return row->process().name; });
}

const std::vector<ProcStats> someProcesses{{10, "compiler", 80, 200 << 20, 1, 120},
                                           {11, "browser", 20, 900 << 20, 1, 30},
                                           {12, "editor", 2, 400 << 20, 1, 3}};

TEST(ProcessesTabTest, TheMemoryHeaderResortsAndReversesAndTheOrderOutlivesTicksAndHiding) {
    OpenPanel panel(2);
    auto& tab = panel.tab<ProcessesTab>();
    panel.publish(someProcesses);
    EXPECT_EQ(names(tab), (std::vector<std::string>{"compiler", "browser", "editor"}));
    EXPECT_TRUE(tab.header(SortOrder::cpu)->isActive());

    tab.header(SortOrder::memory)->click();
    EXPECT_EQ(names(tab), (std::vector<std::string>{"browser", "editor", "compiler"}));
    EXPECT_FALSE(tab.header(SortOrder::cpu)->isActive());
    tab.header(SortOrder::memory)->click();
    EXPECT_EQ(names(tab), (std::vector<std::string>{"compiler", "editor", "browser"})) << "a second click reverses";
    EXPECT_TRUE(tab.header(SortOrder::memory)->isChecked() && tab.header(SortOrder::memory)->isReversed());
    tab.header(SortOrder::memory)->click();
    EXPECT_FALSE(tab.header(SortOrder::memory)->isReversed());

    auto next = someProcesses;
    next[2].memoryBytes = 2000 << 20;
    panel.publish(next);
    EXPECT_EQ(names(tab), (std::vector<std::string>{"editor", "browser", "compiler"})) << "a new snapshot";
    panel.view->hide();
    panel.view->show();
    EXPECT_EQ(tab.sortOrder(), ProcessOrder{SortOrder::memory});
    EXPECT_TRUE(tab.rows().front()->hasDividerBelow() && !tab.rows().back()->hasDividerBelow());
}

TEST(ProcessesTabTest, RowsAreKeptPerPidAndAnEmptyListKeepsTheHeader) {
    OpenPanel panel(2);
    auto& tab = panel.tab<ProcessesTab>();
    panel.publish(someProcesses);
    ProcessRowView* editor = tab.rows()[2];
    const QPointer<ProcessRowView> compiler = tab.rows()[0];
    auto next = someProcesses;
    next[2].cpuPercent = 95;  // the editor moves to the top
    next[0] = {13, "shell", 1, 1 << 20, 1, 1};  // the compiler ends, a shell starts
    panel.publish(next);
    ASSERT_EQ(tab.rows().size(), 3u);
    EXPECT_EQ(tab.rows()[0], editor) << "the same widget, updated in place";
    EXPECT_EQ(editor->content().cpu, "95.0%");
    EXPECT_EQ(names(tab), (std::vector<std::string>{"editor", "browser", "shell"}));
    EXPECT_TRUE(compiler.isNull()) << "the compiler's row is gone";
    QCoreApplication::sendPostedEvents();
    EXPECT_LT(tab.rows()[0]->y(), tab.rows()[1]->y()) << "laid out in the new order";

    const QPointer<ProcessRowView> kept = editor;
    panel.publish({});
    EXPECT_TRUE(tab.rows().empty() && kept.isNull());
    EXPECT_TRUE(tab.header(SortOrder::name)->isVisible());
    test::ScopedLanguage language("es");
    tab.retranslate();
    EXPECT_EQ(tab.header(SortOrder::energy)->accessibleName(), "Energía");
}

TEST(TipsTabTest, ANominalMachineIsAllGoodAndFactsWaitForData) {
    test::ScopedLanguage language("en");
    OpenPanel panel(0);
    auto& tab = panel.tab<TipsTab>();
    panel.publish({});
    EXPECT_TRUE(tab.tipCards().empty() && tab.allGoodCard()->isVisible());
    EXPECT_TRUE(tab.factRows().empty() && tab.learningMessage()->isVisible());
    EXPECT_TRUE(tab.learningMessage()->text().startsWith("Corvelle is still learning about your computer."));

    // Hot and busy on battery: a critical tip in red first (TipsContentTest checks the colours), facts instead of the message.
    panel.harness.monitor().stats().set(test::busyMoment());
    ASSERT_FALSE(tab.tipCards().empty() || tab.allGoodCard()->isVisible());
    EXPECT_EQ(tab.tipCards().front()->color(), SystemColor::red);
    EXPECT_FALSE(tab.factRows().empty() || tab.learningMessage()->isVisible());

    panel.publish({});
    EXPECT_TRUE(tab.tipCards().empty() && tab.allGoodCard()->isVisible()) << "cards hidden again";
}

// The tips and processes tabs on this machine, on a busy moment and on a bare desktop, the first
// guide entry open; saved as <tab>-<machine|busy|bare>-<variant>.png under artifacts/. This
// machine's list may be mostly idle rows, whose figures are drawn in the secondary colour, so its
// text floor is lower.
TEST(ProcessesTipsScreenshotTest, BothTabsOnThisMachineAndOnABusyMoment) {
    test::PanelHarness machine(test::PanelHarness::ThisMachine{});
    ASSERT_FALSE(machine.monitor().stats()->topProcesses.empty());
    test::PanelHarness busy(true), bare(false);
    busy.monitor().stats().set(test::busyMoment());
    bare.monitor().stats().set(test::bareMoment());
    test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
        for (auto [harness, which] : {std::pair{&machine, "machine"}, {&busy, "busy"}, {&bare, "bare"}}) {
            for (auto [tab, name] : {std::pair{0, "tips"}, {2, "processes"}}) {
                auto view = harness->shownPanel(tab);
                if (auto* tips = dynamic_cast<TipsTab*>(view->tabContent())) tips->guide().front()->setExpanded(true);
                test::saveSheet(*view, QStringLiteral("%1-%2-%3").arg(name, which, variant), dark,
                               harness == &machine ? 800 : 1200);
            }
        }
    });
}

}  // namespace
}  // namespace corvelle
