#include "app/tabs/history/FiguresCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

FiguresCard::FiguresCard(std::string symbol, SystemColor symbolColor, Title title, int columns, QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader(std::move(symbol), symbolColor, this)),
      title_(title),
      columns_(columns),
      grid_(new QGridLayout()),
      note_(new QLabel(this)) {
    column()->addWidget(header_);
    grid_->setHorizontalSpacing(12);
    grid_->setVerticalSpacing(8);
    column()->addLayout(grid_);
    LabelStyle::apply(note_, LabelStyle::Role::caption, SystemColor::tertiary);
    note_->setWordWrap(true);
    note_->hide();
    column()->addWidget(note_);
    retranslate();
}

FiguresCard::Tile& FiguresCard::tile(std::size_t index) {
    while (tiles_.size() <= index) {
        auto* tile = new QWidget(this);
        auto* texts = new QVBoxLayout(tile);
        texts->setContentsMargins(0, 0, 0, 0);
        texts->setSpacing(2);
        Tile added{tile, new QLabel(tile), new QLabel(tile)};
        added.value->setWordWrap(true);
        texts->addWidget(added.name);
        texts->addWidget(added.value);
        LabelStyle::apply(added.name, LabelStyle::Role::caption);
        const int position = static_cast<int>(tiles_.size());
        grid_->addWidget(tile, position / columns_, position % columns_);
        grid_->setColumnStretch(position % columns_, 1);
        tiles_.push_back(added);
    }
    return tiles_[index];
}

void FiguresCard::setFigures(std::vector<HistoryContent::Figure> figures) {
    if (figures == figures_) return;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const auto& figure = figures[i];
        Tile& view = tile(i);
        const bool changed = i >= figures_.size() || figures_[i] != figure;
        if (!changed) continue;
        view.name->setText(QString::fromStdString(figure.name));
        view.value->setText(QString::fromStdString(figure.value));
        LabelStyle::apply(view.value, LabelStyle::Role::figure, figure.color);
        view.tile->setAccessibleName(QString::fromStdString(figure.name + ": " + figure.value));
        view.tile->show();
    }
    for (std::size_t i = figures.size(); i < tiles_.size(); ++i) tiles_[i].tile->hide();
    figures_ = std::move(figures);
}

void FiguresCard::setNote(const std::string& note) {
    const auto text = QString::fromStdString(note);
    if (text == note_->text()) return;
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

void FiguresCard::retranslate() { header_->setTitle(title_()); }

}  // namespace corvelle
