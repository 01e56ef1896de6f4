#pragma once

#include "app/components/CardFrame.h"
#include "present/HistoryContent.h"

#include <cstdint>
#include <functional>

class QLabel;
class QStackedWidget;

namespace corvelle {

class BarChartView;
class SectionHeader;
class SegmentedPicker;
class SparklineView;

// Where the energy went: the live hour as a line, today by hour or the stored days as bars,
// picked with Hour / Day / Week / All, with three figures under the chart or a message
// while there is nothing to show.
class EnergyCard : public CardFrame {
public:
    // `onRangeChange` is called when the user picks another range.
    explicit EnergyCard(std::function<void()> onRangeChange, QWidget* parent = nullptr);

    HistoryContent::EnergyRange range() const;
    // `pollingInterval` in seconds, for the live range's caption.
    void setContent(HistoryContent::Energy content, std::int64_t pollingInterval);
    void retranslate();
    const HistoryContent::Energy& content() const { return content_; }
    SegmentedPicker& picker() const { return *picker_; }

private:
    void showCaption();

    SectionHeader* header_;
    SegmentedPicker* picker_;
    QLabel* caption_;
    QStackedWidget* chart_;
    SparklineView* line_;
    BarChartView* bars_;
    QWidget* message_;
    QLabel* messageSymbol_;
    QLabel* messageText_;
    QLabel* messageDetail_;
    QWidget* figuresRow_;
    std::vector<std::pair<QLabel*, QLabel*>> figures_;  // name, value
    HistoryContent::Energy content_;
    std::int64_t pollingInterval_ = 2;
};

}  // namespace corvelle
