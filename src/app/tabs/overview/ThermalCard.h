#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

class QLabel;

namespace corvelle {

class SectionHeader;

// The thermal state on a card tinted by its level, with the core temperatures and the fans.
class ThermalCard : public CardFrame {
public:
    explicit ThermalCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::Thermal& content() const { return content_; }

private:
    SectionHeader* header_;
    QLabel* level_;
    QLabel* description_;
    QLabel* temperatures_;
    QWidget* fanRow_;
    QLabel* fans_;
    OverviewContent::Thermal content_;
};

}  // namespace corvelle
