#pragma once

#include "app/tabs/ReorderableTab.h"
#include "settings/Sections.h"

#include <functional>
#include <vector>

namespace corvelle {

struct OverviewState;

// The overview: ten cards in the user's section order (habit score, CPU, CPU history, system
// gauges, thermal state, graphics, usage profile, health trend, prediction, usage patterns), which can be
// dragged into a new order while editing; the order is saved at once.
class OverviewTab : public ReorderableTab<OverviewSection> {
public:
    explicit OverviewTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;

private:
    struct Card {
        std::function<void(const OverviewState&)> refresh;
        std::function<void()> retranslate;
    };
    QWidget* makeCard(OverviewSection section) override;

    SystemMonitor& monitor_;
    bool isDetailWindow_;
    bool twelveHour_;
    std::vector<Card> cards_;
};

}  // namespace corvelle
