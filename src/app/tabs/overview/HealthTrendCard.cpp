#include "app/tabs/overview/HealthTrendCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "app/tabs/overview/HealthSparkline.h"
#include "localization/LOverview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

HealthTrendCard::HealthTrendCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("heart.fill", SystemColor::red, this)),
      latest_(new QLabel(this)),
      sparkline_(new HealthSparkline(80, 100, 40, this)),
      trend_(new QLabel(this)),
      collecting_(new QWidget(this)),
      collectingSymbol_(new QLabel(collecting_)),
      collectingText_(new QLabel(collecting_)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(latest_, 0, Qt::AlignTop);
    column()->addLayout(top);
    column()->addWidget(sparkline_);
    column()->addWidget(trend_);
    auto* note = new QHBoxLayout(collecting_);
    note->setContentsMargins(0, 0, 0, 0);
    LabelStyle::showSymbol(collectingSymbol_, "rectangle.3.group.fill", 14, SystemColor::secondary);
    note->addWidget(collectingSymbol_);
    note->addWidget(collectingText_, 1);
    column()->addWidget(collecting_);
    LabelStyle::apply(latest_, LabelStyle::Role::figure);
    LabelStyle::apply(trend_, LabelStyle::Role::caption);
    LabelStyle::apply(collectingText_, LabelStyle::Role::caption);
    showCollecting(true);
    retranslate();
}

void HealthTrendCard::showCollecting(bool collecting) {
    latest_->setVisible(!collecting);
    sparkline_->setVisible(!collecting);
    trend_->setVisible(!collecting);
    collecting_->setVisible(collecting);
}

void HealthTrendCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::healthTrend(state.healthEntries, state.stats.batteryIsPresent);
    if (content == content_) return;
    content_ = std::move(content);
    showCollecting(content_.values.empty());
    latest_->setText(QString::fromStdString(content_.latest));
    trend_->setText(QString::fromStdString(content_.trend));
    collectingText_->setText(QString::fromStdString(content_.note));
    // Without a battery the note says why there is no trend: nothing is being collected.
    collectingSymbol_->setVisible(state.stats.batteryIsPresent);
    sparkline_->setValues(content_.values);
}

void HealthTrendCard::retranslate() { header_->setTitle(L::healthTrendTitle()); }

}  // namespace corvelle
