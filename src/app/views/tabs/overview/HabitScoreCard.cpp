#include "app/views/tabs/overview/HabitScoreCard.h"

#include "app/views/components/HabitScoreBar.h"
#include "app/views/components/SectionHeader.h"
#include "localization/LOverview.h"

#include <QVBoxLayout>

#include <utility>

namespace corvelle {

HabitScoreCard::HabitScoreCard(QWidget* parent)
    : CardFrame(parent), header_(new SectionHeader("star.fill", SystemColor::yellow, this)), bar_(new HabitScoreBar(this)) {
    column()->addWidget(header_);
    column()->addWidget(bar_);
    retranslate();
}

void HabitScoreCard::refresh(const OverviewState& state) {
    setVisible(state.habitScore.has_value());
    if (!state.habitScore) return;
    bar_->setScore(*state.habitScore, std::exchange(retranslated_, false));
}

void HabitScoreCard::retranslate() {
    header_->setTitle(L::batteryHabitsTitle());
    retranslated_ = true;
}

}  // namespace corvelle
