#include "app/tabs/battery/BatteryStatusCard.h"

#include "app/components/FigureLine.h"
#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/L.h"
#include "localization/LHistoryBattery.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

BatteryStatusCard::BatteryStatusCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("battery.100percent", SystemColor::green, this)),
      charge_(new QLabel(this)),
      pluggedIn_(new FigureLine("powerplug.fill", SystemColor::blue, this)),
      charging_(new FigureLine("bolt.fill", SystemColor::green, this)),
      remaining_(new FigureLine("clock", SystemColor::secondary, this)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(charge_, 0, Qt::AlignTop);
    column()->addLayout(top);
    for (auto* line : {pluggedIn_, charging_, remaining_}) column()->addWidget(line);
    LabelStyle::apply(charge_, LabelStyle::Role::value);
    retranslate();
}

void BatteryStatusCard::refresh(const SystemStats& stats) {
    auto content = BatteryContent::status(stats);
    if (content == content_) return;
    if (content.symbol != content_.symbol || content.color != content_.color) header_->setSymbol(content.symbol, content.color);
    charge_->setText(QString::fromStdString(content.charge));
    LabelStyle::apply(charge_, LabelStyle::Role::value, content.color);
    pluggedIn_->setVisible(content.pluggedIn);
    charging_->setVisible(!content.chargingWatts.empty());
    charging_->setValue(content.chargingWatts, SystemColor::green);
    remaining_->setVisible(!content.timeRemaining.empty());
    remaining_->setValue(content.timeRemaining);
    content_ = std::move(content);
}

void BatteryStatusCard::retranslate() {
    header_->setTitle(L::batteryStateBattery());
    pluggedIn_->setName(L::batteryStatePluggedIn());
    charging_->setName(L::batteryStateCharging());
    remaining_->setName(L::timeRemaining());
}

}  // namespace corvelle
