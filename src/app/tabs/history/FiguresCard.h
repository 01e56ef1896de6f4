#pragma once

#include "app/components/CardFrame.h"
#include "present/HistoryContent.h"

#include <string>
#include <vector>

class QGridLayout;
class QLabel;

namespace corvelle {

class SectionHeader;

// A titled card of live figures on small tiles, `columns` to a row: the history tab's
// temperatures, power draw and system resources.
class FiguresCard : public CardFrame {
public:
    using Title = std::string (*)();

    FiguresCard(std::string symbol, SystemColor symbolColor, Title title, int columns, QWidget* parent = nullptr);

    // Updates only what changed.
    void setFigures(std::vector<HistoryContent::Figure> figures);
    // A line under the tiles; hidden while empty.
    void setNote(const std::string& note);
    void retranslate();
    const std::vector<HistoryContent::Figure>& figures() const { return figures_; }

private:
    struct Tile {
        QWidget* tile;
        QLabel* name;
        QLabel* value;
    };
    Tile& tile(std::size_t index);

    SectionHeader* header_;
    Title title_;
    int columns_;
    QGridLayout* grid_;
    QLabel* note_;
    std::vector<Tile> tiles_;
    std::vector<HistoryContent::Figure> figures_;
};

}  // namespace corvelle
