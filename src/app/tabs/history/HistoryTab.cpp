#include "app/tabs/history/HistoryTab.h"

#include "app/tabs/CpuHistoryCard.h"
#include "app/tabs/history/EnergyCard.h"
#include "app/tabs/history/FiguresCard.h"
#include "localization/LHistoryBattery.h"
#include "monitor/SystemMonitor.h"

#include <cmath>

namespace corvelle {

using HistoryContent::EnergyRange;

HistoryTab::HistoryTab(const TabContext& context, QWidget* parent)
    : ReorderableTab(context, AppSettings::historySectionOrderKey, parent),
      monitor_(context.systemMonitor),
      settings_(context.appSettings) {
    addSections();
}

QWidget* HistoryTab::makeCard(HistorySection section) {
    switch (section) {
        case HistorySection::cpuHistory: return cpuHistory_ = new CpuHistoryCard();
        case HistorySection::energyHistory: return energy_ = new EnergyCard([this] { refreshEnergy(); });
        case HistorySection::temperatures:
            return temperatures_ = new FiguresCard("thermometer.medium", SystemColor::orange, L::temperaturesTitle, 3);
        case HistorySection::powerDraw:
            return powerDraw_ = new FiguresCard("powerplug.fill", SystemColor::blue, L::powerDrawTitle, 3);
        case HistorySection::resources: break;
    }
    return resources_ = new FiguresCard("square.grid.2x2", SystemColor::purple, L::resourcesTitle, 2);
}

void HistoryTab::refresh() {
    const SystemStats& stats = monitor_.stats().get();
    cpuHistory_->refresh(monitor_.cpuHistory().get());
    refreshEnergy();
    temperatures_->setFigures(HistoryContent::temperatures(stats));
    powerDraw_->setFigures(HistoryContent::powerDraw(stats));
    powerDraw_->setNote(HistoryContent::powerDrawNote(stats));
    resources_->setFigures(HistoryContent::resources(stats));
}

void HistoryTab::refreshEnergy() {
    const UsageStore& store = monitor_.usageStore();
    const auto interval = static_cast<std::int64_t>(std::lround(settings_.pollingInterval()));
    auto content = rangeEnergy(store);
    // Without a power meter no data is coming: say so once instead of waiting.
    if (const PowerMeter meter = monitor_.stats()->powerMeter;
        content.shows == HistoryContent::Energy::Shows::message && !measures(meter)) {
        content = HistoryContent::noPowerMeter(meter);
    }
    energy_->setContent(content, interval);
}

HistoryContent::Energy HistoryTab::rangeEnergy(const UsageStore& store) const {
    switch (const EnergyRange range = energy_->range()) {
        case EnergyRange::hour: return HistoryContent::hourEnergy(monitor_.powerHistory().get().elements());
        case EnergyRange::day: return HistoryContent::dayEnergy(store.todaySnapshot());
        case EnergyRange::week:
        case EnergyRange::all: return HistoryContent::recordsEnergy(store.recentSnapshots(range == EnergyRange::week ? 7 : 90), range);
    }
    return {};
}

void HistoryTab::retranslate() {
    cpuHistory_->retranslate();
    energy_->retranslate();
    for (auto* card : {temperatures_, powerDraw_, resources_}) card->retranslate();
    retranslateSections();
}

}  // namespace corvelle
