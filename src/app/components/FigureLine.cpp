#include "app/components/FigureLine.h"

#include "app/style/LabelStyle.h"

#include <QHBoxLayout>
#include <QLabel>

namespace corvelle {

FigureLine::FigureLine(std::string_view symbol, SystemColor symbolColor, QWidget* parent)
    : QWidget(parent), name_(new QLabel(this)), value_(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* icon = new QLabel(this);
    LabelStyle::showSymbol(icon, symbol, 14, symbolColor);
    row->addWidget(icon);
    row->addWidget(name_, 1);
    row->addWidget(value_);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelStyle::apply(name_, LabelStyle::Role::body);
    LabelStyle::apply(value_, LabelStyle::Role::figure, color_);
}

void FigureLine::setName(const std::string& name) {
    const QString text = QString::fromStdString(name);
    if (text == name_->text()) return;
    name_->setText(text);
    updateAccessibleName();
}

void FigureLine::setValue(const std::string& value, SystemColor color) {
    const QString text = QString::fromStdString(value);
    if (color != color_) {
        color_ = color;
        LabelStyle::apply(value_, LabelStyle::Role::figure, color);
    }
    if (text == value_->text()) return;
    value_->setText(text);
    value_->setVisible(!text.isEmpty());
    updateAccessibleName();
}

QString FigureLine::name() const { return name_->text(); }
QString FigureLine::value() const { return value_->text(); }

void FigureLine::updateAccessibleName() {
    setAccessibleName(value_->text().isEmpty() ? name_->text() : name_->text() + QStringLiteral(": ") + value_->text());
}

}  // namespace corvelle
