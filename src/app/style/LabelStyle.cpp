#include "app/style/LabelStyle.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"

#include <QLabel>

namespace corvelle::LabelStyle {
namespace {

// Setting a font or a style sheet repolishes the label even when nothing changes: only on a change.
void setFont(QLabel* label, Role role) {
    QFont font = label->font();
    font.setPointSizeF(QFont().pointSizeF() * (role == Role::value ? 1.45 : role == Role::caption ? 0.85 : 1.0));
    font.setBold(role == Role::title || role == Role::value || role == Role::figure);
    if (font != label->font()) label->setFont(font);
}

void setStyleSheet(QLabel* label, const QString& sheet) {
    if (sheet != label->styleSheet()) label->setStyleSheet(sheet);
}

}  // namespace

void apply(QLabel* label, Role role) {
    if (role == Role::caption) return apply(label, role, SystemColor::secondary);
    setFont(label, role);
    setStyleSheet(label, {});
}

void apply(QLabel* label, Role role, SystemColor color) {
    setFont(label, role);
    setStyleSheet(label, "color: " + Palette::color(color).name(QColor::HexArgb));
}

void showSymbol(QLabel* label, std::string_view symbol, int size, SystemColor color) {
    label->setPixmap(SymbolIcon::pixmap(symbol, size, Palette::color(color), label->devicePixelRatioF()));
    label->setFixedSize(size, size);
}

}  // namespace corvelle::LabelStyle
