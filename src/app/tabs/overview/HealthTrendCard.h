#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

class QLabel;

namespace corvelle {

class HealthSparkline;
class SectionHeader;

// The stored battery health readings as a line with the latest reading and the change over the
// period, or a note while there are fewer than two (collecting) or no battery.
class HealthTrendCard : public CardFrame {
public:
    explicit HealthTrendCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::HealthTrend& content() const { return content_; }

private:
    void showCollecting(bool collecting);

    SectionHeader* header_;
    QLabel* latest_;
    HealthSparkline* sparkline_;
    QLabel* trend_;
    QWidget* collecting_;
    QLabel* collectingSymbol_;
    QLabel* collectingText_;
    OverviewContent::HealthTrend content_;
};

}  // namespace corvelle
