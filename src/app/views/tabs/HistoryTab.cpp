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
    if (!monitor_.stats()->hasPowerMeter) return energy_->setContent(HistoryContent::noPowerMeter(), interval);
    switch (const EnergyRange range = energy_->range()) {
        case EnergyRange::hour:
            return energy_->setContent(HistoryContent::hourEnergy(monitor_.powerHistory().get().elements()), interval);
        case EnergyRange::day: return energy_->setContent(HistoryContent::dayEnergy(store.todaySnapshot()), interval);
        case EnergyRange::week:
        case EnergyRange::all:
            return energy_->setContent(
                HistoryContent::recordsEnergy(store.recentSnapshots(range == EnergyRange::week ? 7 : 90), range), interval);
    }
}

void HistoryTab::retranslate() {
    cpuHistory_->retranslate();
    energy_->retranslate();
    for (auto* card : {temperatures_, powerDraw_, resources_}) card->retranslate();
    sections_->setEditing(sections_->isEditing());
}

void HistoryTab::setEditing(bool editing) { sections_->setEditing(editing); }

}  // namespace corvelle
