#pragma once

#include "app/qt/QtSortKeys.h"
#include "app/tabs/PanelTab.h"
#include "model/ProcStats.h"
#include "sampling/ProcessOrder.h"

#include <array>
#include <unordered_map>
#include <vector>

class QVBoxLayout;

namespace corvelle {

class LearnMoreView;
class ProcessRowView;
class SortHeader;

// The processes of the latest snapshot as a table sorted by one of four columns, under an
// explainer of energy impact; clicking the sorting column again reverses it. The sort order
// lives as long as the tab; while the tab is shown the monitor lists the top processes in it.
// Each pid keeps its row from tick to tick: rows are updated and moved, created only for new pids.
class ProcessesTab : public PanelTab {
public:
    using SortOrder = ProcessOrder::Key;

    explicit ProcessesTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;

    const ProcessOrder& sortOrder() const { return sortOrder_; }
    SortHeader* header(SortOrder order) const { return headers_[static_cast<std::size_t>(order)]; }
    // The rows from top to bottom.
    const std::vector<ProcessRowView*>& rows() const { return rows_; }
    LearnMoreView* explainer() const { return explainer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void sortBy(SortOrder key);
    // Sorts the processes and brings the rows in line with them.
    void showProcesses();

    SystemMonitor& monitor_;
    ProcessOrder sortOrder_;
    QtSortKeys sortKeys_;
    std::vector<ProcStats> processes_;
    LearnMoreView* explainer_;
    std::array<SortHeader*, 4> headers_{};
    QWidget* rowArea_;
    QVBoxLayout* rowLayout_;
    std::vector<ProcessRowView*> rows_;
    std::unordered_map<std::int32_t, ProcessRowView*> rowsByPid_;
};

}  // namespace corvelle
