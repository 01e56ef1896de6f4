#pragma once

#include "app/views/tabs/PanelTab.h"
#include "settings/Sections.h"

#include <functional>
#include <vector>

namespace corvelle {

class ReorderableForEach;
struct OverviewState;

// The overview: nine cards in the user's section order (habit score, CPU, CPU history, system
// gauges, thermal state, usage profile, health trend, prediction, usage patterns), which can be
// dragged into a new order while editing; the order is saved at once.
class OverviewTab : public PanelTab {
public:
    explicit OverviewTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;
    void setEditing(bool editing) override;

    ReorderableForEach& sections() const { return *sections_; }
    // The card of a section.
    QWidget* card(OverviewSection section) const;

private:
    struct Card {
        std::function<void(const OverviewState&)> refresh;
        std::function<void()> retranslate;
    };
    QWidget* makeCard(OverviewSection section);

    SystemMonitor& monitor_;
    bool isDetailWindow_;
    bool twelveHour_;
    std::vector<Card> cards_;
    ReorderableForEach* sections_;
};

}  // namespace corvelle
