#include "app/tabs/overview/ThermalCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QStringList>

namespace corvelle {

ThermalCard::ThermalCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("checkmark.circle.fill", SystemColor::green, this)),
      level_(new QLabel(this)),
      description_(new QLabel(this)),
      temperatures_(new QLabel(this)),
      fanRow_(new QWidget(this)),
      fans_(new QLabel(fanRow_)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(level_, 0, Qt::AlignTop);
    column()->addLayout(top);
    column()->addWidget(description_);
    column()->addWidget(temperatures_);
    auto* fanLine = new QHBoxLayout(fanRow_);
    fanLine->setContentsMargins(0, 0, 0, 0);
    fanLine->setSpacing(6);
    auto* fanSymbol = new QLabel(fanRow_);
    LabelStyle::showSymbol(fanSymbol, "fanblades.fill", 14, SystemColor::secondary);
    fanLine->addWidget(fanSymbol);
    fanLine->addWidget(fans_, 1);
    column()->addWidget(fanRow_);
    description_->setWordWrap(true);
    fans_->setWordWrap(true);
    LabelStyle::apply(description_, LabelStyle::Role::caption);
    LabelStyle::apply(temperatures_, LabelStyle::Role::body);
    LabelStyle::apply(fans_, LabelStyle::Role::body);
    retranslate();
}

void ThermalCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::thermal(state.stats);
    if (content == content_) return;
    // The level changes seldom, the temperatures every tick: redraw the symbol only for a new level.
    if (content.symbol != content_.symbol) header_->setSymbol(content.symbol, content.color);
    content_ = std::move(content);
    setTint(content_.color);
    level_->setText(QString::fromStdString(content_.level));
    LabelStyle::apply(level_, LabelStyle::Role::figure, content_.color);
    description_->setText(QString::fromStdString(content_.description));
    temperatures_->setText(QString::fromStdString(content_.temperatures));
    temperatures_->setVisible(!content_.temperatures.empty());
    level_->setVisible(!content_.level.empty());
    QStringList fans;
    for (const auto& fan : content_.fans) fans << QString::fromStdString(fan);
    fans_->setText(fans.join(QStringLiteral("   ")));
    fanRow_->setVisible(!fans.isEmpty());
}

void ThermalCard::retranslate() { header_->setTitle(L::thermalStateTitle()); }

}  // namespace corvelle
