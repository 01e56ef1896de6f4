#include "app/components/Caption.h"

#include "app/style/Palette.h"

#include <QLabel>

namespace corvelle {

QLabel* makeCaption(QWidget* parent) {
    auto* caption = new QLabel(parent);
    QFont font = caption->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    caption->setFont(font);
    caption->setWordWrap(true);
    caption->setStyleSheet("color: " + Palette::color(SystemColor::secondary).name(QColor::HexArgb));
    return caption;
}

}  // namespace corvelle
