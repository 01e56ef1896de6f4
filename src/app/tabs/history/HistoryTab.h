#pragma once

#include "app/tabs/ReorderableTab.h"
#include "present/HistoryContent.h"
#include "settings/Sections.h"

namespace corvelle {

class CpuHistoryCard;
class UsageStore;
class EnergyCard;
class FiguresCard;

// The recent past in the user's section order: the live CPU history, the energy history at four
// ranges, temperatures, power draw and system resources. Sections can be dragged into a new
// order while editing; the order is saved at once.
class HistoryTab : public ReorderableTab<HistorySection> {
public:
    explicit HistoryTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;
    EnergyCard& energy() const { return *energy_; }

private:
    QWidget* makeCard(HistorySection section) override;
    // Reads the store once, for the picked range only.
    void refreshEnergy();
    // The chosen range's energy content.
    HistoryContent::Energy rangeEnergy(const UsageStore& store) const;

    SystemMonitor& monitor_;
    AppSettings& settings_;
    CpuHistoryCard* cpuHistory_ = nullptr;
    EnergyCard* energy_ = nullptr;
    FiguresCard* temperatures_ = nullptr;
    FiguresCard* powerDraw_ = nullptr;
    FiguresCard* resources_ = nullptr;
};

}  // namespace corvelle
