#include "app/components/FormSection.h"

#include "app/style/Palette.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

FormSection::FormSection(QWidget* parent) : QWidget(parent), title_(new QLabel(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    QFont font = title_->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 0.9);
    title_->setFont(font);
    title_->setStyleSheet("color: " + Palette::color(SystemColor::secondary).name(QColor::HexArgb));
    title_->setContentsMargins(8, 0, 0, 0);
    column->addWidget(title_);

    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("formCard"));
    QColor fill = Palette::isDark() ? QColor(255, 255, 255, 16) : QColor(Qt::white);
    QColor edge = Palette::color(SystemColor::tertiary);
    edge.setAlphaF(0.25);
    card->setStyleSheet(QStringLiteral("#formCard { background: %1; border: 1px solid %2; border-radius: 8px; }")
                            .arg(fill.name(QColor::HexArgb), edge.name(QColor::HexArgb)));
    rows_ = new QVBoxLayout(card);
    rows_->setContentsMargins(12, 6, 12, 6);
    rows_->setSpacing(2);
    column->addWidget(card);
}

QWidget* FormSection::addRow(QWidget* label, QWidget* control) {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 4, 0, 4);
    line->setSpacing(10);
    if (label) {
        label->setParent(row);
        line->addWidget(label, 1);
    }
    control->setParent(row);
    line->addWidget(control, label ? 0 : 1);
    rows_->addWidget(row);
    return row;
}

}  // namespace corvelle
