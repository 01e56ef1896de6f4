#include "app/views/tabs/BatteryTab.h"

#include "app/views/battery/BatteryCareCard.h"
#include "app/views/components/CardFrame.h"
#include "app/views/components/ReorderableForEach.h"
#include "app/views/components/SectionHeader.h"
#include "app/views/tabs/battery/BatteryHealthCard.h"
#include "app/views/tabs/battery/BatteryStatusCard.h"
#include "app/views/tabs/battery/TopEnergyUsersCard.h"
#include "app/views/tabs/battery/UsageComparisonCard.h"
#include "localization/LHistoryBattery.h"
#include "monitor/SystemMonitor.h"
#include "present/BatteryContent.h"

#include <QVBoxLayout>

namespace corvelle {

BatteryTab::BatteryTab(const TabContext& context, QWidget* parent)
    : PanelTab(parent), context_(context), noBattery_(new SectionHeader("powerplug.fill", SystemColor::secondary)) {
    auto* notice = new CardFrame(this);
    notice->column()->addWidget(noBattery_);
    notice->hide();
    const auto order = context_.appSettings.loadOrder<BatterySection>(AppSettings::batterySectionOrderKey);
    sections_ = new ReorderableForEach(
        ReorderableForEach::items<BatterySection>(order, [this](BatterySection section) { return makeCard(section); }),
        ReorderableForEach::savingTo<BatterySection>(context_.appSettings, AppSettings::batterySectionOrderKey), this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(0);
    // Inset like the sections, which keep room around them for the editing outlines.
    auto* noticeRow = new QVBoxLayout();
    noticeRow->setContentsMargins(4, 4, 4, 8);
    noticeRow->addWidget(notice);
    column->addLayout(noticeRow);
    column->addWidget(sections_);
    column->addStretch(1);
    retranslate();
    setEditing(context.isEditing);
}

template <typename View>
QWidget* BatteryTab::add(View* view, bool describesBattery, std::function<void(const SystemStats&)> refresh) {
    cards_.push_back({view, describesBattery, std::move(refresh), [view] { view->retranslate(); }});
    return view;
}

QWidget* BatteryTab::makeCard(BatterySection section) {
    const auto stats = [](auto* view) { return [view](const SystemStats& stats) { view->refresh(stats); }; };
    switch (section) {
        case BatterySection::batteryStatus: {
            auto* view = new BatteryStatusCard();
            return add(view, true, stats(view));
        }
        case BatterySection::usageComparison: {
            auto* view = new UsageComparisonCard();
            return add(view, true, stats(view));
        }
        case BatterySection::health: {
            auto* view = new BatteryHealthCard();
            return add(view, true, stats(view));
        }
        case BatterySection::topEnergyUsers: break;
        case BatterySection::batteryCare:
            // Its controls are read when it comes into view and follow the daemon, not the ticks.
            return add(new BatteryCareCard(context_.batteryCare, context_.powerProfiles), false, [](const SystemStats&) {});
    }
    auto* view = new TopEnergyUsersCard();
    return add(view, false, [view](const SystemStats& stats) { view->refresh(stats.appGroups); });
}

QWidget* BatteryTab::card(BatterySection section) const { return sections_->view(std::string(toRaw(section))); }

QWidget* BatteryTab::noBatteryNotice() const { return noBattery_->parentWidget(); }

void BatteryTab::refresh() {
    const SystemStats& stats = context_.systemMonitor.stats().get();
    const bool hasBattery = BatteryContent::hasBattery(stats);
    noBatteryNotice()->setVisible(!hasBattery);
    for (const auto& card : cards_) {
        const bool shown = hasBattery || !card.describesBattery;
        card.view->setVisible(shown);
        if (shown) card.refresh(stats);
    }
}

void BatteryTab::retranslate() {
    noBattery_->setTitle(L::noBattery());
    noBattery_->setSubtitle(L::noBatteryDetail());
    for (const auto& card : cards_) card.retranslate();
    sections_->setEditing(sections_->isEditing());
}

void BatteryTab::setEditing(bool editing) { sections_->setEditing(editing); }

}  // namespace corvelle
