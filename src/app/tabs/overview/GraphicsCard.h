#pragma once

#include "app/components/CardFrame.h"
#include "present/GraphicsContent.h"
#include "present/OverviewState.h"

#include <vector>

class QLabel;

namespace corvelle {

class SectionHeader;

// Every GPU in a panel of its own: its name and power state, what kind it is with its figures
// (or that it sleeps), and the programs that use it.
class GraphicsCard : public CardFrame {
public:
    explicit GraphicsCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    void retranslate();
    const GraphicsContent::Card& content() const { return content_; }

private:
    struct RowLabels {
        CardFrame* frame;
        QLabel* symbol;
        QLabel* name;
        QLabel* state;
        QLabel* figures;
        QLabel* programs;
    };
    RowLabels addRow();
    void show(const RowLabels& labels, const GraphicsContent::Row& row);

    SectionHeader* header_;
    QLabel* note_;
    std::vector<RowLabels> rows_;
    GraphicsContent::Card content_;
};

}  // namespace corvelle
