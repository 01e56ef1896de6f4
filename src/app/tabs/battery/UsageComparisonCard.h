#pragma once

#include "app/components/CardFrame.h"
#include "present/BatteryContent.h"

class QLabel;

namespace corvelle {

class FigureLine;
class SectionHeader;

// The present battery draw against its long-term average, with how many times above it.
class UsageComparisonCard : public CardFrame {
public:
    explicit UsageComparisonCard(QWidget* parent = nullptr);

    void refresh(const SystemStats& stats);
    void retranslate();
    const BatteryContent::Usage& content() const { return content_; }

private:
    SectionHeader* header_;
    QLabel* ratio_;
    FigureLine* present_;
    FigureLine* normal_;
    QLabel* learning_;
    BatteryContent::Usage content_;
};

}  // namespace corvelle
