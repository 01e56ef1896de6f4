#include "app/Shell.h"
#include "app/components/HeaderIconButton.h"
#include "app/panel/Panel.h"
#include "app/panel/PanelPlacement.h"
#include "app/panel/StatusStrip.h"
#include "app/status/StatusItem.h"
#include "app/windows/OwnedWindow.h"
#include "support/FakeOutbound.h"
#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"

#include <QAbstractButton>
#include "NamedWidget.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// Records what the shell shows; clicks are made by calling the callbacks.
class FakeStatusItem : public StatusItem {
public:
    void setBatteryIcon(const BatteryIcon& icon) override { icons.push_back(icon); }
    void setPlaceholderIcon(const QString& description) override { placeholder = description; }
    void setTitle(const MenuBarTitle& title) override { titles.push_back(title.text); }
    void fadeTitle() override { fades.push_back(titles.size()); }
    std::optional<QRect> itemGeometry() const override { return geometry; }
    void showMenu(QMenu* menu) override { menus.emplace_back(menu); }
    void showItem() override { shown = true; }

    std::vector<BatteryIcon> icons;
    QString placeholder;
    std::vector<std::string> titles;
    std::vector<size_t> fades;  // the number of titles set when each fade ran
    std::optional<QRect> geometry;
    std::vector<std::unique_ptr<QMenu>> menus;
    bool shown = false;
    int generation = 0;  // which item the shell made: an address may be reused once one is deleted
};

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        Shell::Dependencies dependencies;
        dependencies.appSettings = &h.settings;
        dependencies.makeSystemMonitor = [this](AppSettings& appSettings) {
            return std::make_unique<SystemMonitor>(appSettings, h.sources());
        };
        dependencies.makeStatusItem = [this] {
            auto item = std::make_unique<FakeStatusItem>();
            item->geometry = QRect(1200, 0, 24, 24);
            item->generation = ++statusItemsMade;
            status = item.get();
            return item;
        };
        dependencies.makeUpdateController = [this] {
            return std::make_unique<UpdateController>(UpdateController::Dependencies{
                http, h.loop, "1.0.1", [this](const UpdateCheckResult&) { ++updatesShown; }, {}});
        };
        dependencies.quit = [] {};  // the desktop end-to-end test quits the real program from the menu
        dependencies.feedbackRoute.emplace(FeedbackService::Route{*http, *h.loop, machine});
        shell = std::make_unique<Shell>(std::move(dependencies));
        shell->applicationDidFinishLaunching();
    }

    bool popoverVisible() const { return shell->systemMonitor()->isPopoverVisible(); }
    // Whether the panel is up, and whether the monitor samples as for a shown panel.
    std::pair<bool, bool> panelShown() const { return {shell->panel()->isVisible(), popoverVisible()}; }
    bool samplingTimerRuns() const {
        const auto intervals = h.loop->repeatingIntervals();
        return std::count(intervals.begin(), intervals.end(), h.settings.pollingInterval()) == 1;
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    test::MonitorHarness h;
    std::shared_ptr<test::RecordingHttpClient> http = std::make_shared<test::RecordingHttpClient>();
    test::FixedSystemInfo machine;
    FakeStatusItem* status = nullptr;
    int statusItemsMade = 0;
    int updatesShown = 0;
    std::unique_ptr<Shell> shell;
};

TEST_F(ShellTest, LaunchShowsTheStatusItemWithItsFirstTitleAndAHiddenPanel) {
    test::ScopedLanguage language("en");
    EXPECT_TRUE(status->shown);
    EXPECT_EQ(status->placeholder, "Corvelle System Monitor");
    ASSERT_EQ(status->titles.size(), 1u) << "the first poll hands over the first title; it does not fade (below)";
    ASSERT_EQ(status->icons.size(), 1u);
    EXPECT_EQ(status->icons.front().symbolName, "desktopcomputer") << "no battery: a monitor, not a battery";
    ASSERT_TRUE(shell->panel());
    EXPECT_EQ(panelShown(), std::pair(false, false));
    EXPECT_TRUE(samplingTimerRuns()) << "the monitor was started";
    shell->applicationWillTerminate();
    EXPECT_FALSE(samplingTimerRuns());
    shell->applicationWillTerminate();  // once only
}

TEST_F(ShellTest, LeftClicksToggleAUtilityPanelUnderTheIconThatEscapeClosesAndASecondStartOpens) {
    OwnedWindow& panel = *shell->panel();
    EXPECT_EQ(std::make_tuple(panel.windowTitle(), panel.windowType(), panel.windowFlags().testFlag(Qt::WindowCloseButtonHint)),
              std::make_tuple(QString("Corvelle"), Qt::Tool, true));
    status->onLeftClick();
    EXPECT_EQ(panelShown(), std::pair(true, true));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(panel.pos(), PanelPlacement::origin(status->geometry, Shell::panelSize, available));
    status->onLeftClick();
    EXPECT_EQ(panelShown(), std::pair(false, false));

    status->geometry.reset();  // a host that tells no geometry
    status->onLeftClick();
    EXPECT_EQ(panel.pos(), PanelPlacement::origin(std::nullopt, Shell::panelSize, available));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(shell->panelContent(), &escape);
    EXPECT_EQ(panelShown(), std::pair(false, false));

    // What a second start asks for: the panel stays up however often it is asked, at the tab asked
    // for; without a tab it keeps the one it shows.
    shell->openPanel(2);
    EXPECT_EQ(panelShown(), std::pair(true, true));
    EXPECT_EQ(shell->panelContent()->selectedTab(), 2);
    shell->openPanel(std::nullopt);
    EXPECT_TRUE(shell->panel()->isVisible());
    EXPECT_EQ(shell->panelContent()->selectedTab(), 2);
}

TEST_F(ShellTest, RightClickMenuThenALeftClickStillTogglesThePanel) {
    test::ScopedLanguage language("en");
    status->onRightClick();
    ASSERT_EQ(status->menus.size(), 1u);
    const auto rows = status->menus.back()->actions();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0]->text(), "Open Corvelle");
    EXPECT_TRUE(rows[1]->isSeparator());
    for (const QAction* row : rows) EXPECT_TRUE(row->shortcut().isEmpty()) << row->text().toStdString();
    EXPECT_FALSE(shell->panel()->isVisible());
    ASSERT_EQ(http->recorded().size(), 1u) << "the check at launch";
    rows[3]->trigger();
    http->recorded().back().done({200, "", R"({"version":"1.0.1"})"});
    EXPECT_EQ(updatesShown, 1) << "asked for during the launch check: its outcome is shown";
    rows[2]->trigger();
    ASSERT_TRUE(shell->settingsWindow());
    test::named<QPushButton>(*shell->settingsWindow(), "Check for Updates\u2026")->click();
    EXPECT_EQ(http->recorded().size(), 2u) << "the settings window checks through the shell";
    rows[0]->trigger();
    rows[0]->trigger();
    EXPECT_TRUE(shell->panel()->isVisible()) << "Open shows the panel, it does not toggle";
    status->onLeftClick();
    EXPECT_FALSE(shell->panel()->isVisible());
}

TEST_F(ShellTest, TheDetailWindowTakesThePanelsPlaceWithOnlyTheReorderButton) {
    test::ScopedLanguage language("en");
    EXPECT_EQ(shell->panelContent()->headerButtons().size(), 4u);
    status->onLeftClick();
    shell->openDetailWindow();
    OwnedWindow* detail = shell->detailWindow();
    ASSERT_TRUE(detail);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_EQ(panelShown(), std::pair(false, true)) << "the detail window samples as the panel would";
    std::vector<Panel*> panels;
    for (auto* child : detail->findChildren<QWidget*>()) if (auto* panel = dynamic_cast<Panel*>(child)) panels.push_back(panel);
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_TRUE(panels[0]->isDetailWindow());
    ASSERT_EQ(panels[0]->headerButtons().size(), 1u);
    EXPECT_EQ(panels[0]->headerButtons()[0]->toolTip(), "Reorder sections");

    detail->showMinimized();
    status->onLeftClick();  // brings the detail window forward instead, restored
    EXPECT_TRUE(!detail->isMinimized() && detail->isVisible() && !shell->panel()->isVisible());
    shell->openDetailWindow();
    EXPECT_EQ(shell->detailWindow(), detail);

    detail->close();
    EXPECT_FALSE(shell->detailWindow());
    EXPECT_FALSE(popoverVisible());
    settle();
    status->onLeftClick();
    EXPECT_TRUE(shell->panel()->isVisible());
    shell->panelContent()->headerButtons()[1]->click();
    EXPECT_TRUE(shell->feedbackWindow());
}

TEST_F(ShellTest, EveryPanelControlHasAnAccessibleName) {
    test::ScopedLanguage language("en");
    shell->panelContent()->setEditingSections(true);
    for (auto* control : shell->panel()->findChildren<QAbstractButton*>()) {
        if (!control->isVisibleTo(shell->panel())) continue;
        EXPECT_FALSE(control->accessibleName().isEmpty() && control->text().isEmpty()) << control->toolTip().toStdString();
    }
    EXPECT_EQ(shell->panelContent()->statusStrip().accessibleName(), "Pinned widgets");
    EXPECT_EQ(shell->panelContent()->tabButtons()[0]->parentWidget()->accessibleName(), "Tabs");
    EXPECT_TRUE(shell->panelContent()->tabButtons()[0]->isChecked()) << "the selected tab reads as checked";
    settle();
}

TEST_F(ShellTest, WindowsAreReusedWhileVisibleAndRebuiltAfterClosing) {
    shell->openSettingsWindow();
    shell->openFeedbackWindow();
    QPointer<OwnedWindow> settingsWindow = shell->settingsWindow();
    QPointer<OwnedWindow> feedbackWindow = shell->feedbackWindow();
    ASSERT_TRUE(settingsWindow && feedbackWindow);
    shell->openSettingsWindow();
    shell->openFeedbackWindow();
    EXPECT_TRUE(shell->settingsWindow() == settingsWindow && shell->feedbackWindow() == feedbackWindow);
    EXPECT_FALSE(popoverVisible());

    settingsWindow->close();
    feedbackWindow->close();
    EXPECT_FALSE(shell->settingsWindow() || shell->feedbackWindow() || popoverVisible());
    settle();
    EXPECT_TRUE(settingsWindow.isNull() && feedbackWindow.isNull()) << "closed windows are released";

    // Opened again they are rebuilt; closing them keeps sampling while the panel is up.
    status->onLeftClick();
    ASSERT_TRUE(shell->panel()->isVisible());
    shell->openSettingsWindow();
    shell->openFeedbackWindow();
    ASSERT_TRUE(shell->settingsWindow() && shell->feedbackWindow());
    shell->settingsWindow()->close();
    shell->feedbackWindow()->close();
    EXPECT_TRUE(popoverVisible()) << "the panel is still up";
    shell->panel()->close();
    EXPECT_FALSE(popoverVisible()) << "the closing panel no longer counts as shown";
}

TEST_F(ShellTest, TheFirstTitleNeverFadesLaterBatteryTimeChangesDo) {
    auto withTime = [&](double seconds) {
        auto stats = shell->systemMonitor()->stats().get();
        stats.batteryTimeRemaining = seconds;
        shell->systemMonitor()->stats().set(stats);
        shell->menuBarUpdate(BatteryIcon{}, MenuBarTitle{" title", {}, {}});
    };
    const size_t before = status->titles.size();  // the launch poll: "--:--", no fade
    withTime(7500);                                 // 2:05
    withTime(7440);                                 // 2:04
    withTime(7440);                                 // unchanged
    withTime(0);                                    // --:--
    EXPECT_EQ(status->fades, (std::vector<size_t>{before + 1, before + 2, before + 4}));

    // A tray host that came up later gets a new item showing the same picture and title at once.
    BatteryIcon icon;
    icon.symbolName = "battery.75";
    const int oldItem = status->generation;
    shell->menuBarUpdate(icon, MenuBarTitle{"CPU 9%", {}, {}});
    shell->replaceStatusItem();
    ASSERT_NE(status->generation, oldItem);
    EXPECT_TRUE(status->shown);
    EXPECT_EQ(status->titles, std::vector<std::string>{"CPU 9%"});
    ASSERT_EQ(status->icons.size(), 1u);
    EXPECT_EQ(status->icons.front().symbolName, "battery.75");
    status->onLeftClick();
    EXPECT_EQ(panelShown(), std::pair(true, true));
}

}  // namespace
}  // namespace corvelle
