#pragma once

#include "settings/PinnedWidget.h"
#include "util/Signal.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace corvelle {

class AppSettings;
class HeaderIconButton;
class StatusStrip;
class SystemMonitor;

// The content of the floating panel and of the larger window: header with its buttons, the
// status strip, the five-segment tab selector, a divider and the selected tab.
class MainPopover : public QWidget {
public:
    static constexpr int tabCount = 5;

    struct Options {
        bool isDetailWindow = false;
        std::function<void()> onOpenDetail;
        std::function<void()> onOpenSettings;
        std::function<void()> onOpenFeedback;
        int selectedTab = 0;
        bool isEditingSections = false;
        std::vector<PinnedWidget> pinnedWidgets;
    };

    MainPopover(SystemMonitor& systemMonitor, AppSettings& appSettings, Options options, QWidget* parent = nullptr);
    ~MainPopover() override;

    int selectedTab() const { return selectedTab_; }
    // Any tag is accepted; one without a tab shows "Unknown tab". Leaving a tab ends reordering.
    void setSelectedTab(int tag);
    bool isEditingSections() const { return editingSections_; }
    void setEditingSections(bool editing);

    bool isDetailWindow() const { return options_.isDetailWindow; }
    const std::vector<HeaderIconButton*>& headerButtons() const { return headerButtons_; }
    const std::vector<HeaderIconButton*>& tabButtons() const { return tabButtons_; }
    StatusStrip& statusStrip() const { return *strip_; }
    QWidget* tabContent() const { return content_; }

private:
    void buildHeader(QVBoxLayout* column);
    void buildTabSelector(QVBoxLayout* column);
    void showTab();
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
    QVBoxLayout* contentHolder_ = nullptr;
    QWidget* content_ = nullptr;
    Subscription statsSubscription_;
};

}  // namespace corvelle
