#pragma once

#include "app/tabs/ReorderableTab.h"
#include "settings/Sections.h"

#include <functional>
#include <vector>

namespace corvelle {

class SectionHeader;
struct SystemStats;

// The battery in the user's section order: its state, today's draw against normal, its health
// and the top energy users. Without a battery a plain notice takes the place of the sections
// that describe one; the top energy users still show.
class BatteryTab : public ReorderableTab<BatterySection> {
public:
    explicit BatteryTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;
    // The "No battery" notice, shown only on a machine without one.
    QWidget* noBatteryNotice() const;

private:
    struct Card {
        QWidget* view;
        bool describesBattery;  // hidden without a battery
        std::function<void(const SystemStats&)> refresh;
        std::function<void()> retranslate;
    };
    QWidget* makeCard(BatterySection section) override;
    template <typename View>
    QWidget* add(View* view, bool describesBattery, std::function<void(const SystemStats&)> refresh);

    TabContext context_;
    std::vector<Card> cards_;
    SectionHeader* noBattery_;
};

}  // namespace corvelle
