#include "app/tabs/tips/TipsTab.h"

#include "app/components/CardFrame.h"
#include "app/components/LearnMoreView.h"
#include "app/style/LabelStyle.h"
#include "app/tabs/tips/AdviceCard.h"
#include "localization/LTipsTab.h"
#include "monitor/SystemMonitor.h"
#include "platform/BatteryCare.h"
#include "platform/PowerProfiles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {
namespace {

QLabel* wrapping(QWidget* parent, LabelStyle::Role role) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    LabelStyle::apply(label, role);
    return label;
}

std::vector<AdviceCard*> visible(const std::vector<AdviceCard*>& cards) {
    std::vector<AdviceCard*> shown;
    for (auto* card : cards) {
        if (!card->isHidden()) shown.push_back(card);
    }
    return shown;
}

}  // namespace

TipsTab::TipsTab(const TabContext& context, QWidget* parent)
    : PanelTab(parent),
      monitor_(context.systemMonitor),
      powerProfiles_(context.powerProfiles),
      chargeLimit_(context.batteryCare && context.batteryCare->thresholds().supported()),
      tipColumn_(new QVBoxLayout()),
      allGood_(new CardFrame(this)),
      factColumn_(new QVBoxLayout()),
      learning_(wrapping(this, LabelStyle::Role::body)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);

    tipColumn_->setSpacing(8);
    column->addLayout(tipColumn_);
    allGood_->setTint(SystemColor::green);
    auto* allGoodTitle = new QLabel(allGood_);
    LabelStyle::apply(allGoodTitle, LabelStyle::Role::figure, SystemColor::green);
    allGood_->column()->addWidget(allGoodTitle);
    addText(allGoodTitle, L::allGoodTitle);
    auto* allGoodDetail = wrapping(allGood_, LabelStyle::Role::body);
    allGood_->column()->addWidget(allGoodDetail);
    addText(allGoodDetail, L::allGoodDetail);
    tipColumn_->addWidget(allGood_);

    column->addSpacing(8);
    addHeading(column, "lightbulb.fill", SystemColor::yellow, L::didYouKnowTitle);
    factColumn_->setSpacing(6);
    column->addLayout(factColumn_);
    factColumn_->addWidget(learning_);
    addText(learning_, L::stillLearning);

    column->addSpacing(8);
    addHeading(column, "book.fill", SystemColor::primary, L::quickGuideTitle);
    for (const auto& group : TipsContent::quickGuide()) {
        auto* heading = new QLabel(this);
        LabelStyle::apply(heading, LabelStyle::Role::title);
        column->addSpacing(4);
        column->addWidget(heading);
        addText(heading, group.heading);
        for (const Explainer explainer : group.explainers) {
            guide_.push_back(new LearnMoreView(explainer, this, LearnMoreView::Closed::term));
            column->addWidget(guide_.back());
        }
    }
    column->addStretch(1);
    retranslate();
}

void TipsTab::addHeading(QVBoxLayout* column, const char* symbol, SystemColor color, std::string (*text)()) {
    auto* row = new QHBoxLayout();
    row->setSpacing(8);
    auto* icon = new QLabel(this);
    LabelStyle::showSymbol(icon, symbol, 20, color);
    row->addWidget(icon);
    auto* title = new QLabel(this);
    QFont font = title->font();
    font.setPointSizeF(QFont().pointSizeF() * 1.2);
    font.setBold(true);
    title->setFont(font);
    row->addWidget(title, 1);
    column->addLayout(row);
    addText(title, text);
}

void TipsTab::addText(QLabel* label, std::string (*text)()) { texts_.emplace_back(label, text); }

void TipsTab::refresh() {
    auto content = TipsContent::content(monitor_.stats().get(), monitor_.usageProfile().get(),
                                        monitor_.healthPrediction().get(), monitor_.habitScore().get(),
                                        {powerProfiles_ && !powerProfiles_->profiles().empty(), chargeLimit_});
    const bool hybrid = monitor_.stats()->hasHybridCores();
    for (auto* row : guide_) row->setVisible(TipsContent::guideShows(row->explainer(), hybrid));
    if (content == content_) return;
    content_ = std::move(content);
    allGood_->setVisible(content_.tips.empty());
    showCards(tips_, tipColumn_, true, content_.tips.size(), [this](AdviceCard* card, std::size_t i) {
        const auto& tip = content_.tips[i];
        card->setContent(tip.icon, tip.color, tip.title, tip.detail);
    });
    learning_->setVisible(content_.facts.empty());
    showCards(facts_, factColumn_, false, content_.facts.size(), [this](AdviceCard* card, std::size_t i) {
        const auto& fact = content_.facts[i];
        card->setContent(fact.icon, SystemColor::yellow, {}, fact.text);
    });
}

void TipsTab::showCards(std::vector<AdviceCard*>& cards, QVBoxLayout* column, bool outlined, std::size_t count,
                        const std::function<void(AdviceCard*, std::size_t)>& fill) {
    while (cards.size() < count) {
        cards.push_back(new AdviceCard(outlined, this));
        column->addWidget(cards.back());
    }
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (i < count) fill(cards[i], i);
        cards[i]->setVisible(i < count);
    }
}

void TipsTab::retranslate() {
    for (const auto& [label, text] : texts_) label->setText(QString::fromStdString(text()));
    for (auto* explainer : guide_) explainer->retranslate();
}

std::vector<AdviceCard*> TipsTab::tipCards() const { return visible(tips_); }
std::vector<AdviceCard*> TipsTab::factRows() const { return visible(facts_); }

}  // namespace corvelle
