#pragma once

#include "present/ProcessesContent.h"

#include <QWidget>

namespace corvelle {

// One process of the processes tab, painted in one widget so that a tick redraws a row without
// laying out labels: name over "PID n", CPU, memory, and the energy bar with its level. The name
// is shortened in the middle to fit. The tab keeps one row per pid and updates it in place.
class ProcessRowView : public QWidget {
public:
    // The columns, shared with the tab's sort headers so that titles sit above their figures.
    static constexpr int inset = 16;
    static constexpr int spacing = 6;
    static constexpr int cpuWidth = 70;
    static constexpr int memoryWidth = 80;
    static constexpr int energyWidth = 116;  // a bar of 50 and the level's label

    explicit ProcessRowView(QWidget* parent = nullptr);

    // Repaints only when what the row shows changed.
    void setProcess(const ProcStats& process);
    const ProcStats& process() const { return process_; }
    const ProcessesContent::Row& content() const { return content_; }
    // The divider under every row but the last.
    void setDividerBelow(bool divider);
    bool hasDividerBelow() const { return divider_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProcStats process_;
    ProcessesContent::Row content_;
    bool divider_ = false;
    QFont nameFont_, pidFont_, cpuFont_, memoryFont_, levelFont_;
    // The name as last shortened, and the width it was shortened for.
    QString elidedName_;
    int elidedWidth_ = -1;
};

}  // namespace corvelle
