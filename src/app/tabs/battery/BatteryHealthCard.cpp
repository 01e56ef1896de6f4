#include "app/tabs/battery/BatteryHealthCard.h"

#include "app/components/MeterBar.h"
#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LHistoryBattery.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

BatteryHealthCard::BatteryHealthCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("heart.fill", SystemColor::red, this)),
      value_(new QLabel(this)),
      bar_(new MeterBar(SystemColor::green, 6, this)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(value_, 0, Qt::AlignTop);
    column()->addLayout(top);
    column()->addWidget(bar_);
    retranslate();
}

void BatteryHealthCard::refresh(const SystemStats& stats) {
    auto content = BatteryContent::health(stats);
    if (content == content_) return;
    value_->setText(QString::fromStdString(content.value));
    LabelStyle::apply(value_, LabelStyle::Role::value, content.color);
    bar_->setValue(stats.batteryHealthPercent / 100.0, content.color);
    content_ = std::move(content);
}

void BatteryHealthCard::retranslate() { header_->setTitle(L::batteryHealthTitle()); }

}  // namespace corvelle
