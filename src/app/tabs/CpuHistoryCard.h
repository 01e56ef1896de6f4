#pragma once

#include "app/components/CardFrame.h"
#include "sampling/HistoryBuffer.h"

class QLabel;

namespace corvelle {

class SectionHeader;
class SparklineView;

// The live CPU history: titled card with a filled sparkline on a 0-100 scale and the latest
// value, or "Collecting data..." while the history is empty.
class CpuHistoryCard : public CardFrame {
public:
    explicit CpuHistoryCard(QWidget* parent = nullptr);

    void refresh(const HistoryBuffer<double>& history);
    void retranslate();
    const SparklineView& sparkline() const { return *sparkline_; }
    // The latest value, or the collecting text while there is none.
    QString latest() const;

private:
    SectionHeader* header_;
    SparklineView* sparkline_;
    QLabel* latest_;
    QLabel* collecting_;
};

}  // namespace corvelle
