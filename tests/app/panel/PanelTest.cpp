#include "app/panel/Panel.h"
#include "app/components/HeaderIconButton.h"
#include "app/panel/StatusStrip.h"
#include "app/panel/WidgetCard.h"
#include "app/panel/WidgetPicker.h"
#include "app/tabs/PlaceholderTab.h"
#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QToolButton>

#include <gtest/gtest.h>

#include <tuple>

namespace corvelle {
namespace {

class PanelTest : public ::testing::Test {
protected:
    std::unique_ptr<Panel> panel(std::vector<PinnedWidget> pinned = {PinnedWidget::battery}) {
        Panel::Options options;
        options.onOpenSettings = [] {};
        options.pinnedWidgets = std::move(pinned);
        return std::make_unique<Panel>(monitor, h.settings, std::move(options));
    }

    test::MonitorHarness h;
    SystemMonitor& monitor = h.make();
};

TEST_F(PanelTest, FiveTabsInTagOrderAndUnknownTagsSayso) {
    test::ScopedLanguage language("es");
    auto view = panel();
    ASSERT_EQ(view->tabButtons().size(), 5u);
    EXPECT_EQ(view->tabButtons()[4]->toolTip(), "Historia") << "tag order";
    // The selected tab and whether the first and the third button show as active.
    const auto selection = [&] {
        return std::tuple(view->selectedTab(), view->tabButtons()[0]->isActive(), view->tabButtons()[2]->isActive());
    };
    EXPECT_EQ(selection(), std::tuple(0, true, false));
    for (int tag : {-1, 5, 99}) {
        view->setSelectedTab(tag);
        EXPECT_EQ(dynamic_cast<PlaceholderTab&>(*view->tabContent()).text(), "Pestaña desconocida") << tag;
    }
    view->tabButtons()[2]->click();
    EXPECT_EQ(selection(), std::tuple(2, false, true));
}

TEST_F(PanelTest, LeavingATabEndsReordering) {
    auto view = panel();
    auto* reorder = view->headerButtons().front();
    // The panel's editing state, the reorder button's state and symbol, the strip's editing state.
    const auto editing = [&] {
        return std::tuple(view->isEditingSections(), reorder->isActive(), reorder->symbol(), view->statusStrip().isEditing());
    };
    reorder->click();
    EXPECT_EQ(editing(), std::tuple(true, true, "checkmark.circle.fill", true));
    view->setSelectedTab(0);
    EXPECT_TRUE(view->isEditingSections()) << "the same tab is no change";
    view->setSelectedTab(3);
    EXPECT_EQ(editing(), std::tuple(false, false, "arrow.up.arrow.down", false));
}

TEST_F(PanelTest, TheLastPinnedWidgetCannotBeRemoved) {
    auto view = panel({PinnedWidget::cpu, PinnedWidget::memory});
    auto& strip = view->statusStrip();
    strip.setEditing(true);
    ASSERT_EQ(strip.cards().size(), 2u);
    ASSERT_TRUE(strip.cards()[0]->removeButton());
    strip.cards()[0]->removeButton()->click();
    EXPECT_EQ(strip.pinnedWidgets(), (std::vector<PinnedWidget>{PinnedWidget::memory}));
    EXPECT_EQ(h.settings.loadPinnedWidgets(), (std::vector<PinnedWidget>{PinnedWidget::memory}));
    strip.cards()[0]->removeButton()->click();
    EXPECT_EQ(strip.pinnedWidgets(), (std::vector<PinnedWidget>{PinnedWidget::memory}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PanelTest, ThePickerOffersWhatIsNotPinnedUpToThree) {
    using W = PinnedWidget;
    test::ScopedLanguage language("en");
    auto view = panel({W::cpu, W::power});
    auto& strip = view->statusStrip();
    EXPECT_FALSE(strip.picker()) << "only while editing";
    strip.setEditing(true);
    ASSERT_TRUE(strip.picker());
    const auto buttons = strip.picker()->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0]->text() + "|" + buttons[1]->text() + "|" + buttons[2]->text(), "Battery|Temperature|Memory");
    buttons[1]->click();
    EXPECT_EQ(strip.pinnedWidgets(), (std::vector<W>{W::cpu, W::power, W::temperature}));
    EXPECT_EQ(h.settings.loadPinnedWidgets(), strip.pinnedWidgets());
    EXPECT_FALSE(strip.picker()) << "three pinned: nothing more to add";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PanelTest, CardsFollowEveryPublishedSnapshot) {
    auto view = panel({PinnedWidget::cpu});
    view->show();
    monitor.stats().set(test::StatsBuilder().cpu(91.26));
    ASSERT_EQ(view->statusStrip().cards().size(), 1u);
    EXPECT_EQ(view->statusStrip().cards()[0]->content().value, "91.3%");
}

}  // namespace
}  // namespace corvelle
