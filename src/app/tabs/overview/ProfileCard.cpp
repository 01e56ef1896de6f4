#include "app/tabs/overview/ProfileCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

ProfileCard::ProfileCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("person.fill", SystemColor::purple, this)),
      description_(new QLabel(this)),
      runnerUp_(new QLabel(this)) {
    column()->addWidget(header_);
    column()->addWidget(description_);
    column()->addWidget(runnerUp_);
    description_->setWordWrap(true);
    LabelStyle::apply(description_, LabelStyle::Role::caption);
    LabelStyle::apply(runnerUp_, LabelStyle::Role::caption, SystemColor::purple);
    auto* row = new QHBoxLayout();
    row->setSpacing(8);
    for (int i = 0; i < 3; ++i) {
        auto* badge = new CardFrame(this);
        badge->column()->setContentsMargins(8, 6, 8, 6);
        badge->column()->setSpacing(1);
        std::pair<QLabel*, QLabel*> texts{new QLabel(badge), new QLabel(badge)};
        LabelStyle::apply(texts.first, LabelStyle::Role::caption);
        LabelStyle::apply(texts.second, LabelStyle::Role::figure);
        badge->column()->addWidget(texts.first);
        badge->column()->addWidget(texts.second);
        row->addWidget(badge, 1);
        badges_.push_back(texts);
    }
    column()->addLayout(row);
}

void ProfileCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::profile(state.profile, state.week);
    setVisible(content.has_value());
    if (content == content_) return;
    content_ = std::move(content);
    if (!content_) return;
    header_->setSymbol(content_->symbol, SystemColor::purple);
    header_->setTitle(content_->name);
    description_->setText(QString::fromStdString(content_->description));
    runnerUp_->setText(QString::fromStdString(content_->runnerUp));
    runnerUp_->setVisible(!content_->runnerUp.empty());
    for (std::size_t i = 0; i < badges_.size() && i < content_->badges.size(); ++i) {
        badges_[i].first->setText(QString::fromStdString(content_->badges[i].label));
        badges_[i].second->setText(QString::fromStdString(content_->badges[i].value));
    }
}

}  // namespace corvelle
