#include "app/tabs/overview/HabitScoreBar.h"

#include "app/components/DisclosureRow.h"
#include "app/components/MeterBar.h"
#include "app/style/LabelStyle.h"
#include "localization/LAnalysis.h"
#include "present/ChartRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace corvelle {
namespace {

std::array<const SubScore*, 4> subScores(const HabitScore& score) {
    return {&score.charging, &score.thermal, &score.discharge, &score.pluggedBalance};
}

}  // namespace

HabitScoreBar::HabitScoreBar(QWidget* parent)
    : QWidget(parent), bar_(new MeterBar(SystemColor::green, 8, this)), points_(new QLabel(this)), grade_(new QLabel(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* overall = new QHBoxLayout();
    overall->setSpacing(8);
    overall->addWidget(bar_, 1, Qt::AlignVCenter);
    overall->addWidget(points_);
    overall->addWidget(grade_);
    column->addLayout(overall);
    for (std::size_t i = 0; i < 4; ++i) {
        auto* row = new DisclosureRow(this);
        auto* reason = new QLabel(this);
        reason->setWordWrap(true);
        reason->setContentsMargins(24, 0, 4, 4);
        LabelStyle::apply(reason, LabelStyle::Role::caption);
        reason->hide();
        column->addWidget(row);
        column->addWidget(reason);
        QObject::connect(row, &QAbstractButton::clicked, this, [this, i] { toggle(subScores(score_)[i]->label); });
        rows_.push_back(row);
        reasons_.push_back(reason);
    }
}

void HabitScoreBar::setScore(const HabitScore& score, bool force) {
    if (hasScore_ && score == score_ && !force) return;
    hasScore_ = true;
    score_ = score;
    const SystemColor color = ChartRules::habitScoreColor(score.overall);
    bar_->setValue(static_cast<double>(score.overall) / 100.0, color);
    points_->setText(QString::number(score.overall) + "/100");
    LabelStyle::apply(points_, LabelStyle::Role::figure);
    grade_->setText(QString::fromStdString(score.grade));
    LabelStyle::apply(grade_, LabelStyle::Role::value, color);
    const auto parts = subScores(score);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const SubScore& part = *parts[i];
        const auto mark = ChartRules::subScoreMark(part);
        rows_[i]->setLeading(mark.icon, mark.color);
        rows_[i]->setLabel(L::subScoreLabel(part.label));
        rows_[i]->setTrailing(std::to_string(part.score) + "/" + std::to_string(part.maxScore) + "  " +
                                  L::subScoreRating(part.fraction()),
                              mark.color);
        reasons_[i]->setText(QString::fromStdString(L::subScoreReason(part.label, part.isGood())));
    }
    showExpanded();
}

void HabitScoreBar::toggle(const std::string& label) {
    if (expandedLabel_ == label) {
        expandedLabel_.reset();
    } else {
        expandedLabel_ = label;
    }
    showExpanded();
}

void HabitScoreBar::showExpanded() {
    const auto parts = subScores(score_);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool open = expandedLabel_ == parts[i]->label;
        rows_[i]->setOpen(open);
        reasons_[i]->setVisible(open);
    }
}

}  // namespace corvelle
