#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

#include <vector>

class QLabel;

namespace corvelle {

class BarChartView;
class SectionHeader;

// The CPU now: the total, the user and system shares, and one row of core bars per cluster.
class CpuCard : public CardFrame {
public:
    explicit CpuCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::Cpu& content() const { return content_; }

private:
    struct ClusterRow {
        QWidget* row;
        QLabel* name;
        QLabel* average;
        BarChartView* bars;
    };
    static void showCluster(const ClusterRow& row, const std::optional<OverviewContent::CoreCluster>& cluster);

    SectionHeader* header_;
    QLabel* total_;
    QLabel* user_;
    QLabel* system_;
    std::vector<ClusterRow> clusters_;
    OverviewContent::Cpu content_;
};

}  // namespace corvelle
