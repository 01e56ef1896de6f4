#include "app/tabs/overview/OverviewTab.h"

#include "app/tabs/CpuHistoryCard.h"
#include "app/tabs/overview/CpuCard.h"
#include "app/tabs/overview/GraphicsCard.h"
#include "app/tabs/overview/HabitScoreCard.h"
#include "app/tabs/overview/HealthTrendCard.h"
#include "app/tabs/overview/PredictionCard.h"
#include "app/tabs/overview/ProfileCard.h"
#include "app/tabs/overview/SystemGaugesCard.h"
#include "app/tabs/overview/ThermalCard.h"
#include "app/tabs/overview/UsagePatternsCard.h"
#include "monitor/SystemMonitor.h"
#include "present/OverviewState.h"

#include <QLocale>

namespace corvelle {
namespace {

// The system's clock preference: a short time format with an AM/PM marker.
bool systemUsesTwelveHours() { return QLocale::system().timeFormat(QLocale::ShortFormat).contains('a', Qt::CaseInsensitive); }

}  // namespace

OverviewTab::OverviewTab(const TabContext& context, QWidget* parent)
    : ReorderableTab(context, AppSettings::overviewSectionOrderKey, parent),
      monitor_(context.systemMonitor),
      isDetailWindow_(context.isDetailWindow),
      twelveHour_(systemUsesTwelveHours()) {
    addSections();
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
        case OverviewSection::graphics: return add(new GraphicsCard());
        case OverviewSection::profile: return add(new ProfileCard());
        case OverviewSection::healthTrend: return add(new HealthTrendCard());
        case OverviewSection::prediction: return add(new PredictionCard());
        case OverviewSection::usagePatterns: break;
    }
    return add(new UsagePatternsCard());
}

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
    retranslateSections();
}

}  // namespace corvelle
