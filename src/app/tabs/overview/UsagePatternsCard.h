#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

#include <vector>

class QLabel;

namespace corvelle {

class MeterBar;
class SectionHeader;

// The week's busiest hours as bars of their mean watts, and the quietest hour.
class UsagePatternsCard : public CardFrame {
public:
    explicit UsagePatternsCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::UsagePatterns& content() const { return content_; }

private:
    struct Row {
        QWidget* row;
        QLabel* hour;
        MeterBar* bar;
        QLabel* watts;
    };
    Row& row(std::size_t index);

    SectionHeader* header_;
    QWidget* rows_;
    std::vector<Row> rowViews_;
    QWidget* quietestRow_;
    QLabel* quietest_;
    QLabel* notEnough_;
    OverviewContent::UsagePatterns content_;
};

}  // namespace corvelle
