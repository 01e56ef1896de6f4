#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

class QLabel;

namespace corvelle {

class SectionHeader;

// The battery health prediction, or a note on how much data it needs or that there is no battery.
class PredictionCard : public CardFrame {
public:
    explicit PredictionCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::Prediction& content() const { return content_; }
    QString text() const;

private:
    SectionHeader* header_;
    QLabel* lines_;
    QLabel* placeholder_;
    OverviewContent::Prediction content_;
};

}  // namespace corvelle
