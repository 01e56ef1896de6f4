#pragma once

#include "app/views/tabs/PanelTab.h"
#include "app/views/tabs/ProcessesContent.h"

#include <array>
#include <unordered_map>
#include <vector>

class QVBoxLayout;

namespace corvelle {

class LearnMoreView;
class ProcessRowView;
class SortHeader;

// The busiest processes of the latest snapshot as a table sorted by one of four columns, under
// an explainer of energy impact. The sort order lives as long as the tab. Each pid keeps its
// row from tick to tick: rows are updated and moved, created only for new pids.
class ProcessesTab : public PanelTab {
public:
    using SortOrder = ProcessesContent::SortOrder;

    explicit ProcessesTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;

    SortOrder sortOrder() const { return sortOrder_; }
    SortHeader* header(SortOrder order) const { return headers_[static_cast<std::size_t>(order)]; }
    // The rows from top to bottom.
    const std::vector<ProcessRowView*>& rows() const { return rows_; }
    LearnMoreView* explainer() const { return explainer_; }

private:
    void setSortOrder(SortOrder order);
    // Sorts the processes and brings the rows in line with them.
    void showProcesses();

    SystemMonitor& monitor_;
    SortOrder sortOrder_ = SortOrder::cpu;
    std::vector<ProcStats> processes_;
    LearnMoreView* explainer_;
    std::array<SortHeader*, 4> headers_{};
    QWidget* rowArea_;
    QVBoxLayout* rowLayout_;
    std::vector<ProcessRowView*> rows_;
    std::unordered_map<std::int32_t, ProcessRowView*> rowsByPid_;
};

}  // namespace corvelle
