#include "app/components/CardFrame.h"

#include "app/style/Palette.h"

#include <QPainter>
#include <QVBoxLayout>

namespace corvelle {

CardFrame::CardFrame(QWidget* parent) : QFrame(parent), column_(new QVBoxLayout(this)) {
    column_->setContentsMargins(12, 12, 12, 12);
    column_->setSpacing(8);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

void CardFrame::setTint(std::optional<SystemColor> tint) {
    if (tint == tint_) return;
    tint_ = tint;
    update();
}

void CardFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Palette::color(tint_.value_or(SystemColor::primary));
    fill.setAlphaF(tint_ ? 0.1 : 0.05);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
}

}  // namespace corvelle
