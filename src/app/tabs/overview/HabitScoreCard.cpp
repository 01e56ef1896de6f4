#include "app/tabs/overview/HabitScoreCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "app/tabs/overview/HabitScoreBar.h"
#include "localization/LOverview.h"
#include "present/OverviewContent.h"

#include <QLabel>
#include <QVBoxLayout>

#include <utility>

namespace corvelle {

HabitScoreCard::HabitScoreCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("star.fill", SystemColor::yellow, this)),
      bar_(new HabitScoreBar(this)),
      note_(new QLabel(this)) {
    column()->addWidget(header_);
    column()->addWidget(bar_);
    column()->addWidget(note_);
    note_->setWordWrap(true);
    LabelStyle::apply(note_, LabelStyle::Role::caption);
    retranslate();
}

void HabitScoreCard::refresh(const OverviewState& state) {
    const auto content = OverviewContent::habits(state.habitScore, state.stats.batteryIsPresent);
    setVisible(content.has_value());
    if (!content) return;
    bar_->setVisible(content->score.has_value());
    note_->setVisible(!content->score);
    note_->setText(QString::fromStdString(content->note));
    if (content->score) bar_->setScore(*content->score, std::exchange(retranslated_, false));
}

QString HabitScoreCard::note() const { return note_->isHidden() ? QString() : note_->text(); }

void HabitScoreCard::retranslate() {
    header_->setTitle(L::batteryHabitsTitle());
    retranslated_ = true;
}

}  // namespace corvelle
