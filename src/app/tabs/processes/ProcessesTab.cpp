#include "app/tabs/processes/ProcessesTab.h"

#include "app/components/LearnMoreView.h"
#include "app/style/Palette.h"
#include "app/tabs/processes/ProcessRowView.h"
#include "app/tabs/processes/SortHeader.h"
#include "localization/LProcesses.h"
#include "monitor/SystemMonitor.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvelle {

ProcessesTab::ProcessesTab(const TabContext& context, QWidget* parent)
    : PanelTab(parent),
      monitor_(context.systemMonitor),
      explainer_(new LearnMoreView(Explainer::energyImpact, this)),
      rowArea_(new QWidget(this)),
      rowLayout_(new QVBoxLayout(rowArea_)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 12, 0, 12);
    column->setSpacing(0);
    auto* explainerRow = new QHBoxLayout();
    explainerRow->setContentsMargins(12, 0, 12, 6);
    explainerRow->addWidget(explainer_);
    column->addLayout(explainerRow);

    auto* headerRow = new QHBoxLayout();
    headerRow->setContentsMargins(ProcessRowView::inset, 6, ProcessRowView::inset, 6);
    headerRow->setSpacing(ProcessRowView::spacing);
    const struct {
        SortOrder order;
        SortHeader::Title title;
        Qt::Alignment alignment;
        int width;  // 0: the remaining width
    } columns[] = {{SortOrder::name, L::processColumn, Qt::AlignLeft, 0},
                   {SortOrder::cpu, L::cpuColumn, Qt::AlignHCenter, ProcessRowView::cpuWidth},
                   {SortOrder::memory, L::memoryColumn, Qt::AlignRight, ProcessRowView::memoryWidth},
                   {SortOrder::energy, L::energyColumn, Qt::AlignHCenter, ProcessRowView::energyWidth}};
    for (const auto& c : columns) {
        auto* header = new SortHeader(c.title, c.alignment, this);
        if (c.width > 0) header->setFixedWidth(c.width);
        headerRow->addWidget(header, c.width > 0 ? 0 : 1);
        headers_[static_cast<std::size_t>(c.order)] = header;
        QObject::connect(header, &QAbstractButton::clicked, this, [this, key = c.order] { sortBy(key); });
    }
    column->addLayout(headerRow);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setStyleSheet("color: " + Palette::color(SystemColor::tertiary).name(QColor::HexArgb));
    column->addWidget(divider);

    rowLayout_->setContentsMargins(0, 0, 0, 0);
    rowLayout_->setSpacing(0);
    column->addWidget(rowArea_);
    column->addStretch(1);
    showProcesses();
}

void ProcessesTab::refresh() {
    const auto& processes = monitor_.stats().get().topProcesses;
    if (processes == processes_) return;
    processes_ = processes;
    showProcesses();
}

void ProcessesTab::retranslate() {
    explainer_->retranslate();
    for (auto* header : headers_) header->retranslate();
    for (auto* row : rows_) row->setProcess(row->process());
}

void ProcessesTab::showEvent(QShowEvent* event) {
    PanelTab::showEvent(event);
    monitor_.setProcessListShown(true);
    monitor_.setProcessOrder(sortOrder_);
}

// Elsewhere the snapshot's list is the busiest by CPU again.
void ProcessesTab::hideEvent(QHideEvent* event) {
    PanelTab::hideEvent(event);
    monitor_.setProcessListShown(false);
    monitor_.setProcessOrder({});
}

void ProcessesTab::sortBy(SortOrder key) {
    sortOrder_ = {key, key == sortOrder_.key && !sortOrder_.reversed};
    if (isVisible()) monitor_.setProcessOrder(sortOrder_);
    showProcesses();
}

void ProcessesTab::showProcesses() {
    const auto active = static_cast<std::size_t>(sortOrder_.key);
    for (std::size_t i = 0; i < headers_.size(); ++i) headers_[i]->setActive(i == active, sortOrder_.reversed);
    // The monitor already lists them in this order, but a snapshot from before a click does not.
    const auto sorted = ordered(processes_, sortOrder_, &sortKeys_);
    std::unordered_map<std::int32_t, ProcessRowView*> kept;
    std::vector<ProcessRowView*> rows;
    rows.reserve(sorted.size());
    for (const auto& process : sorted) {
        // A pid listed twice would leave a row behind: the first one wins.
        if (kept.count(process.pid)) continue;
        ProcessRowView* row = nullptr;
        if (const auto found = rowsByPid_.find(process.pid); found != rowsByPid_.end()) {
            row = found->second;
            rowsByPid_.erase(found);
        } else {
            row = new ProcessRowView(rowArea_);
            row->show();
        }
        row->setProcess(process);
        const int index = static_cast<int>(rows.size());
        // Rows already in place stay put; a moved one is taken out and put back at its index.
        if (rowLayout_->indexOf(row) != index) {
            rowLayout_->removeWidget(row);
            rowLayout_->insertWidget(index, row);
        }
        kept.emplace(process.pid, row);
        rows.push_back(row);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i]->setDividerBelow(i + 1 < rows.size());
    // The pids that left the list.
    for (const auto& [pid, row] : rowsByPid_) delete row;
    rowsByPid_ = std::move(kept);
    rows_ = std::move(rows);
}

}  // namespace corvelle
