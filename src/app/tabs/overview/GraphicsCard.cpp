#include "app/tabs/overview/GraphicsCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

GraphicsCard::GraphicsCard(QWidget* parent)
    : CardFrame(parent), header_(new SectionHeader("display", SystemColor::blue, this)), note_(new QLabel(this)) {
    column()->addWidget(header_);
    column()->addWidget(note_);
    LabelStyle::apply(note_, LabelStyle::Role::caption);
    note_->setWordWrap(true);
    retranslate();
}

GraphicsCard::RowLabels GraphicsCard::addRow() {
    auto* frame = new CardFrame(this);
    frame->column()->setContentsMargins(10, 8, 10, 8);
    frame->column()->setSpacing(3);
    RowLabels labels{frame, new QLabel(frame), new QLabel(frame), new QLabel(frame), new QLabel(frame), new QLabel(frame)};
    auto* top = new QHBoxLayout();
    top->setSpacing(6);
    top->addWidget(labels.symbol, 0, Qt::AlignTop);
    top->addWidget(labels.name, 1);
    top->addWidget(labels.state, 0, Qt::AlignTop);
    frame->column()->addLayout(top);
    frame->column()->addWidget(labels.figures);
    frame->column()->addWidget(labels.programs);
    labels.name->setWordWrap(true);
    labels.figures->setWordWrap(true);
    labels.programs->setWordWrap(true);
    LabelStyle::apply(labels.name, LabelStyle::Role::title);
    LabelStyle::apply(labels.figures, LabelStyle::Role::body);
    LabelStyle::apply(labels.programs, LabelStyle::Role::caption);
    column()->addWidget(frame);
    return labels;
}

void GraphicsCard::show(const RowLabels& labels, const GraphicsContent::Row& row) {
    LabelStyle::showSymbol(labels.symbol, row.symbol, 16, row.stateColor);
    labels.name->setText(QString::fromStdString(row.name));
    labels.state->setText(QString::fromStdString(row.state));
    LabelStyle::apply(labels.state, LabelStyle::Role::figure, row.stateColor);
    const auto figures = row.figures.empty() ? row.kind : row.kind + "  ·  " + row.figures;
    labels.figures->setText(QString::fromStdString(figures));
    labels.programs->setText(QString::fromStdString(row.programs));
    labels.programs->setVisible(!row.programs.empty());
}

void GraphicsCard::refresh(const OverviewState& state) {
    auto content = GraphicsContent::card(state.stats);
    if (content == content_) return;
    content_ = std::move(content);
    while (rows_.size() < content_.rows.size()) rows_.push_back(addRow());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool shown = i < content_.rows.size();
        rows_[i].frame->setVisible(shown);
        if (shown) show(rows_[i], content_.rows[i]);
    }
    note_->setText(QString::fromStdString(content_.note));
    note_->setVisible(!content_.note.empty());
}

void GraphicsCard::retranslate() { header_->setTitle(L::graphicsTitle()); }

}  // namespace corvelle
