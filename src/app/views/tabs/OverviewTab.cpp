#include "app/views/tabs/OverviewTab.h"

#include "app/views/components/CpuHistoryCard.h"
#include "app/views/components/ReorderableForEach.h"
#include "app/views/tabs/overview/CpuCard.h"
#include "app/views/tabs/overview/HabitScoreCard.h"
#include "app/views/tabs/overview/HealthTrendCard.h"
#include "app/views/tabs/overview/PredictionCard.h"
#include "app/views/tabs/overview/ProfileCard.h"
#include "app/views/tabs/overview/SystemGaugesCard.h"
#include "app/views/tabs/overview/ThermalCard.h"
#include "app/views/tabs/overview/UsagePatternsCard.h"
#include "monitor/SystemMonitor.h"
#include "present/OverviewState.h"

#include <QLocale>
#include <QVBoxLayout>

namespace corvelle {
namespace {

// The system's clock preference: a short time format with an AM/PM marker.
bool systemUsesTwelveHours() { return QLocale::system().timeFormat(QLocale::ShortFormat).contains('a', Qt::CaseInsensitive); }

}  // namespace

OverviewTab::OverviewTab(const TabContext& context, QWidget* parent)
    : PanelTab(parent),
      monitor_(context.systemMonitor),
      isDetailWindow_(context.isDetailWindow),
      twelveHour_(systemUsesTwelveHours()) {
    const auto order = context.appSettings.loadOrder<OverviewSection>(AppSettings::overviewSectionOrderKey);
    sections_ = new ReorderableForEach(
        ReorderableForEach::items<OverviewSection>(order, [this](OverviewSection section) { return makeCard(section); }),
        ReorderableForEach::savingTo<OverviewSection>(context.appSettings, AppSettings::overviewSectionOrderKey), this);
    auto* column = new QVBoxLayout(this);
    // The sections keep a few pixels of their own around them for the editing outlines.
    column->setContentsMargins(12, 12, 12, 12);
    column->addWidget(sections_);
    column->addStretch(1);
    setEditing(context.isEditing);
}

QWidget* OverviewTab::makeCard(OverviewSection section) {
    const auto add = [this](auto* card) {
        cards_.push_back({[card](const OverviewState& state) { card->refresh(state); }, [card] { card->retranslate(); }});
        return card;
    };
    switch (section) {
        case OverviewSection::habitScore: return add(new HabitScoreCard());
        case OverviewSection::cpu: return add(new CpuCard());
        case OverviewSection::cpuHistory: {
            auto* card = new CpuHistoryCard();
            cards_.push_back({[card](const OverviewState& state) { card->refresh(state.cpuHistory); },
                              [card] { card->retranslate(); }});
            return card;
        }
        case OverviewSection::systemGauges: return add(new SystemGaugesCard());
        case OverviewSection::thermal: return add(new ThermalCard());
        case OverviewSection::profile: return add(new ProfileCard());
        case OverviewSection::healthTrend: return add(new HealthTrendCard());
        case OverviewSection::prediction: return add(new PredictionCard());
        case OverviewSection::usagePatterns: break;
    }
    return add(new UsagePatternsCard());
}

QWidget* OverviewTab::card(OverviewSection section) const { return sections_->view(std::string(toRaw(section))); }

void OverviewTab::refresh() {
    const UsageStore& store = monitor_.usageStore();
    const auto week = store.recentSnapshots(7);
    const OverviewState state{monitor_.stats().get(),
                              monitor_.cpuHistory().get(),
                              monitor_.habitScore().get(),
                              monitor_.usageProfile().get(),
                              monitor_.healthPrediction().get(),
                              store.healthEntries(),
                              week,
                              store.history().dailySnapshots.size(),
                              isDetailWindow_,
                              twelveHour_};
    for (const auto& card : cards_) card.refresh(state);
}

void OverviewTab::retranslate() {
    for (const auto& card : cards_) card.retranslate();
    sections_->setEditing(sections_->isEditing());
}

void OverviewTab::setEditing(bool editing) { sections_->setEditing(editing); }

}  // namespace corvelle
