#include "app/components/MeterBar.h"

#include "app/style/Palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvelle {

MeterBar::MeterBar(SystemColor color, int thickness, QWidget* parent)
    : QWidget(parent), color_(color), thickness_(thickness) {
    setFixedHeight(thickness);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MeterBar::setValue(double fraction, SystemColor color) {
    fraction = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    if (fraction == fraction_ && color == color_) return;
    fraction_ = fraction;
    color_ = color;
    update();
}

void MeterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double radius = height() / 2.0;
    QColor track = Palette::color(SystemColor::primary);
    track.setAlphaF(0.08);
    painter.setBrush(track);
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    if (fraction_ <= 0) return;
    painter.setBrush(Palette::color(color_));
    const double width = std::max(fraction_ * this->width(), static_cast<double>(height()));
    painter.drawRoundedRect(QRectF(0, 0, width, height()), radius, radius);
}

}  // namespace corvelle
