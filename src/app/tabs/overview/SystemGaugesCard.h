#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

#include <array>

class QHBoxLayout;
class QLabel;

namespace corvelle {

class GaugeView;

// Four tiles in a row: memory (a gauge), disk and network rates, and the power draw.
class SystemGaugesCard : public CardFrame {
public:
    explicit SystemGaugesCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const OverviewContent::Gauges& content() const { return content_; }

private:
    struct Tile {
        QLabel* title;
        std::array<QLabel*, 2> lines;
    };
    // A tile of a symbol, a caption and up to two lines, at the end of the row.
    Tile addTile(QHBoxLayout* row, const char* symbol, SystemColor color, int lines);

    GaugeView* memory_;
    QLabel* memoryDetail_;
    Tile disk_;
    Tile network_;
    Tile power_;
    OverviewContent::Gauges content_;
};

}  // namespace corvelle
