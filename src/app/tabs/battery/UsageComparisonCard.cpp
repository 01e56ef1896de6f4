#include "app/tabs/battery/UsageComparisonCard.h"

#include "app/components/FigureLine.h"
#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LHistoryBattery.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

UsageComparisonCard::UsageComparisonCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("gauge.medium", SystemColor::blue, this)),
      ratio_(new QLabel(this)),
      present_(new FigureLine("bolt.fill", SystemColor::orange, this)),
      normal_(new FigureLine("chart.line.flattrend.xyaxis", SystemColor::secondary, this)),
      learning_(new QLabel(this)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(ratio_, 0, Qt::AlignTop);
    column()->addLayout(top);
    column()->addWidget(present_);
    column()->addWidget(normal_);
    column()->addWidget(learning_);
    learning_->setWordWrap(true);
    LabelStyle::apply(learning_, LabelStyle::Role::caption);
    ratio_->hide();
    retranslate();
}

void UsageComparisonCard::refresh(const SystemStats& stats) {
    auto content = BatteryContent::usage(stats);
    if (content == content_) return;
    present_->setValue(content.present);
    normal_->setValue(content.normal, SystemColor::secondary);
    ratio_->setText(QString::fromStdString(content.ratio));
    LabelStyle::apply(ratio_, LabelStyle::Role::figure, content.color);
    ratio_->setVisible(!content.ratio.empty());
    learning_->setVisible(content.ratio.empty());
    content_ = std::move(content);
}

void UsageComparisonCard::retranslate() {
    header_->setTitle(L::usageVsNormal());
    present_->setName(L::systemPower());
    normal_->setName(L::normal());
    learning_->setText(QString::fromStdString(L::learningNormalUse()));
}

}  // namespace corvelle
