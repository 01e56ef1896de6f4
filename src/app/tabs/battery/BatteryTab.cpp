#include "app/tabs/battery/BatteryTab.h"

#include "app/components/CardFrame.h"
#include "app/components/SectionHeader.h"
#include "app/tabs/battery/BatteryCareCard.h"
#include "app/tabs/battery/BatteryHealthCard.h"
#include "app/tabs/battery/BatteryStatusCard.h"
#include "app/tabs/battery/TopEnergyUsersCard.h"
#include "app/tabs/battery/UsageComparisonCard.h"
#include "localization/LHistoryBattery.h"
#include "monitor/SystemMonitor.h"
#include "present/BatteryContent.h"

#include <QVBoxLayout>

namespace corvelle {

BatteryTab::BatteryTab(const TabContext& context, QWidget* parent)
    : ReorderableTab(context, AppSettings::batterySectionOrderKey, parent),
      context_(context),
      noBattery_(new SectionHeader("powerplug.fill", SystemColor::secondary)) {
    // Inset like the sections, which keep room around them for the editing outlines; the inset
    // goes with the notice, so a tab with a battery starts where the other tabs do.
    auto* noticeRow = new QWidget(this);
    auto* notice = new CardFrame(noticeRow);
    notice->column()->addWidget(noBattery_);
    auto* noticeLayout = new QVBoxLayout(noticeRow);
    noticeLayout->setContentsMargins(4, 4, 4, 8);
    noticeLayout->addWidget(notice);
    noticeRow->hide();
    column()->setSpacing(0);
    column()->addWidget(noticeRow);
    addSections();
    retranslate();
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

QWidget* BatteryTab::noBatteryNotice() const { return noBattery_->parentWidget()->parentWidget(); }

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
    retranslateSections();
}

}  // namespace corvelle
