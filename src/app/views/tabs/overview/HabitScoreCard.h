#pragma once

#include "app/views/components/CardFrame.h"
#include "app/views/tabs/overview/OverviewState.h"

namespace corvelle {

class HabitScoreBar;
class SectionHeader;

// "Battery Habits": the habit score, only while the monitor has one.
class HabitScoreCard : public CardFrame {
public:
    explicit HabitScoreCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    HabitScoreBar& bar() const { return *bar_; }

private:
    SectionHeader* header_;
    HabitScoreBar* bar_;
    bool retranslated_ = false;
};

}  // namespace corvelle
