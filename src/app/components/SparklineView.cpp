#include "app/components/SparklineView.h"

#include "app/style/Palette.h"
#include "present/ChartRules.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace corvelle {

SparklineView::SparklineView(SystemColor color, double maxValue, bool showFill, int height, QWidget* parent)
    : QWidget(parent), color_(color), maxValue_(maxValue), showFill_(showFill) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SparklineView::setValues(std::vector<double> values) {
    if (values == values_) return;
    values_ = std::move(values);
    update();
}

void SparklineView::setColor(SystemColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void SparklineView::setMaxValue(double maxValue) {
    if (maxValue == maxValue_) return;
    maxValue_ = maxValue;
    update();
}

QRectF SparklineView::plotArea() const { return QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5); }

void SparklineView::paintEvent(QPaintEvent*) {
    const QRectF area = plotArea();
    const auto points = ChartRules::linePoints(values_, maxValue_, area.width(), area.height());
    if (points.empty()) return;
    QPainterPath line;
    line.moveTo(area.left() + points.front().x, area.top() + points.front().y);
    for (const auto& point : points) line.lineTo(area.left() + point.x, area.top() + point.y);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = Palette::color(color_);
    if (showFill_) {
        QPainterPath fill = line;
        fill.lineTo(area.right(), area.bottom());
        fill.lineTo(area.left(), area.bottom());
        fill.closeSubpath();
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        QColor top = color, bottom = color;
        top.setAlphaF(0.3);
        bottom.setAlphaF(0.02);
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        painter.fillPath(fill, gradient);
    }
    painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(line);
}

}  // namespace corvelle
