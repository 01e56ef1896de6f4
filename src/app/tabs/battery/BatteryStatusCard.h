#pragma once

#include "app/components/CardFrame.h"
#include "present/BatteryContent.h"

class QLabel;

namespace corvelle {

class FigureLine;
class SectionHeader;

// The battery's charge with its symbol, whether it is plugged in, the charging power and, on
// battery, the time remaining.
class BatteryStatusCard : public CardFrame {
public:
    explicit BatteryStatusCard(QWidget* parent = nullptr);

    void refresh(const SystemStats& stats);
    void retranslate();
    const BatteryContent::Status& content() const { return content_; }

private:
    SectionHeader* header_;
    QLabel* charge_;
    FigureLine* pluggedIn_;
    FigureLine* charging_;
    FigureLine* remaining_;
    BatteryContent::Status content_;
};

}  // namespace corvelle
