#include "app/tabs/overview/HealthSparkline.h"

#include "app/style/Palette.h"
#include "present/ChartRules.h"

#include <QPainter>

namespace corvelle {

HealthSparkline::HealthSparkline(double thresholdPercent, double maxValue, int height, QWidget* parent)
    : SparklineView(SystemColor::green, maxValue, false, height, parent),
      thresholdPercent_(thresholdPercent),
      maxValue_(maxValue) {}

void HealthSparkline::setValues(std::vector<double> values) {
    setColor(ChartRules::healthLineColor(values));
    SparklineView::setValues(std::move(values));
}

void HealthSparkline::paintEvent(QPaintEvent* event) {
    {
        const QRectF area = plotArea();
        const double y = ChartRules::linePoints({thresholdPercent_, thresholdPercent_}, maxValue_, area.width(),
                                                area.height()).front().y;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Palette::color(SystemColor::tertiary), 1, Qt::DashLine));
        painter.drawLine(QPointF(area.left(), area.top() + y), QPointF(area.right(), area.top() + y));
    }
    SparklineView::paintEvent(event);
}

}  // namespace corvelle
