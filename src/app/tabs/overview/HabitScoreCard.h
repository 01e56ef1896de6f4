#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewState.h"

class QLabel;

namespace corvelle {

class HabitScoreBar;
class SectionHeader;

// "Battery Habits": the habit score while the monitor has one, a note on a machine without a battery.
class HabitScoreCard : public CardFrame {
public:
    explicit HabitScoreCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    HabitScoreBar& bar() const { return *bar_; }
    // The note shown instead of the score, empty while hidden.
    QString note() const;

private:
    SectionHeader* header_;
    HabitScoreBar* bar_;
    QLabel* note_;
    bool retranslated_ = false;
};

}  // namespace corvelle
