#pragma once

#include "app/panel/PanelTabs.h"
#include "settings/PinnedWidget.h"
#include "util/Signal.h"

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace corvelle {

class AppSettings;
class HeaderIconButton;
class StatusStrip;
class SystemMonitor;

// The content of the floating panel and of the larger window: header with its buttons, the
// status strip, the five-segment tab selector, a divider and the selected tab (see PanelTab).
// While it is visible it follows the monitor's publications; while hidden it does nothing.
class Panel : public QWidget {
public:
    static constexpr int tabCount = PanelTabs::count;

    struct Options {
        bool isDetailWindow = false;
        std::function<void()> onOpenDetail;
        std::function<void()> onOpenSettings;
        std::function<void()> onOpenFeedback;
        int selectedTab = 0;
        bool isEditingSections = false;
        std::vector<PinnedWidget> pinnedWidgets;
        BatteryCare* batteryCare = nullptr;  // for the Battery tab; null: not offered
        PowerProfiles* powerProfiles = nullptr;
    };

    Panel(SystemMonitor& systemMonitor, AppSettings& appSettings, Options options, QWidget* parent = nullptr);
    ~Panel() override;

    int selectedTab() const { return selectedTab_; }
    // Any tag is accepted; one without a tab shows "Unknown tab". Leaving a tab ends reordering.
    void setSelectedTab(int tag);
    bool isEditingSections() const { return editingSections_; }
    void setEditingSections(bool editing);

    bool isDetailWindow() const { return options_.isDetailWindow; }
    const std::vector<HeaderIconButton*>& headerButtons() const { return headerButtons_; }
    const std::vector<HeaderIconButton*>& tabButtons() const { return tabButtons_; }
    StatusStrip& statusStrip() const { return *strip_; }
    // The selected tab's view.
    PanelTab* tabContent() const { return content_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildHeader(QVBoxLayout* column);
    void buildTabSelector(QVBoxLayout* column);
    // Shows the selected tab, building it the first time.
    void showTab();
    // The strip and the selected tab follow the monitor, only while the panel is visible.
    void refreshVisible();
    // Texts follow the language setting, which may change while the panel exists.
    void retranslate();

    SystemMonitor& systemMonitor_;
    AppSettings& appSettings_;
    Options options_;
    int selectedTab_ = 0;
    bool editingSections_ = false;
    int language_ = -1;
    HeaderIconButton* reorderButton_ = nullptr;
    std::vector<HeaderIconButton*> headerButtons_;
    std::vector<HeaderIconButton*> tabButtons_;
    StatusStrip* strip_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    // The built tabs in their scroll areas, by tag; every tag without a tab shares the page under -1.
    std::map<int, QScrollArea*> pages_;
    PanelTab* content_ = nullptr;
    std::vector<Subscription> subscriptions_;
};

}  // namespace corvelle
