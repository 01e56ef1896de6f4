#include "app/views/tabs/HistoryTab.h"

#include "app/views/components/CpuHistoryCard.h"
#include "app/views/components/ReorderableForEach.h"
#include "app/views/tabs/history/EnergyCard.h"
#include "app/views/tabs/history/FiguresCard.h"
#include "localization/LHistoryBattery.h"
#include "monitor/SystemMonitor.h"

#include <QVBoxLayout>

#include <cmath>

namespace corvelle {

using HistoryContent::EnergyRange;

HistoryTab::HistoryTab(const TabContext& context, QWidget* parent)
    : PanelTab(parent), monitor_(context.systemMonitor), settings_(context.appSettings) {
    const auto order = settings_.loadOrder<HistorySection>(AppSettings::historySectionOrderKey);
    sections_ = new ReorderableForEach(
        ReorderableForEach::items<HistorySection>(order, [this](HistorySection section) { return makeCard(section); }),
        ReorderableForEach::savingTo<HistorySection>(settings_, AppSettings::historySectionOrderKey), this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->addWidget(sections_);
    column->addStretch(1);
    setEditing(context.isEditing);
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

QWidget* HistoryTab::card(HistorySection section) const { return sections_->view(std::string(toRaw(section))); }

void HistoryTab::refresh() {
    const SystemStats& stats = monitor_.stats().get();
    cpuHistory_->refresh(monitor_.cpuHistory().get());
    refreshEnergy();
    temperatures_->setFigures(HistoryContent::temperatures(stats));
    powerDraw_->setFigures(HistoryContent::powerDraw(stats));
    resources_->setFigures(HistoryContent::resources(stats));
}

void HistoryTab::refreshEnergy() {
    const UsageStore& store = monitor_.usageStore();
    const auto interval = static_cast<std::int64_t>(std::lround(settings_.pollingInterval()));
    auto content = rangeEnergy(store);
    // Without a power meter no data is coming: say so once instead of waiting.
    if (content.shows == HistoryContent::Energy::Shows::message && !monitor_.stats()->hasPowerMeter) {
        content = HistoryContent::noPowerMeter();
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
    sections_->setEditing(sections_->isEditing());
}

void HistoryTab::setEditing(bool editing) { sections_->setEditing(editing); }

}  // namespace corvelle
