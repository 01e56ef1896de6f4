#include "app/components/ToggleSwitch.h"

#include "app/style/Palette.h"

#include <QPainter>

namespace corvelle {

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.4);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    QColor off = Palette::color(SystemColor::primary);
    off.setAlphaF(Palette::isDark() ? 0.25 : 0.16);
    painter.setPen(hasFocus() ? QPen(Palette::accent(), 1.5) : Qt::NoPen);
    painter.setBrush(isChecked() ? Palette::accent() : off);
    painter.drawRoundedRect(track, radius, radius);
    const qreal inset = 2;
    const qreal knob = track.height() - 2 * inset;
    const qreal x = isChecked() ? track.right() - inset - knob : track.left() + inset;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + inset, knob, knob));
}

}  // namespace corvelle
