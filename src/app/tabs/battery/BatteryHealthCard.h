#pragma once

#include "app/components/CardFrame.h"
#include "present/BatteryContent.h"

class QLabel;

namespace corvelle {

class MeterBar;
class SectionHeader;

// The battery's health: what it holds of its design capacity, coloured by how worn it is.
class BatteryHealthCard : public CardFrame {
public:
    explicit BatteryHealthCard(QWidget* parent = nullptr);

    void refresh(const SystemStats& stats);
    void retranslate();
    const BatteryContent::Health& content() const { return content_; }

private:
    SectionHeader* header_;
    QLabel* value_;
    MeterBar* bar_;
    BatteryContent::Health content_;
};

}  // namespace corvelle
