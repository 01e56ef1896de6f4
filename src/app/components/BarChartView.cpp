#include "app/components/BarChartView.h"

#include "app/style/Palette.h"
#include "present/ChartRules.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvelle {

BarChartView::BarChartView(SystemColor color, std::optional<double> fixedMax, int height, QWidget* parent)
    : QWidget(parent), color_(color), fixedMax_(fixedMax) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BarChartView::setData(std::vector<Bar> data) {
    if (data == data_) return;
    data_ = std::move(data);
    update();
}

void BarChartView::setColor(SystemColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

bool BarChartView::hasLabels() const {
    return std::any_of(data_.begin(), data_.end(), [](const Bar& bar) { return !bar.first.empty(); });
}

void BarChartView::paintEvent(QPaintEvent*) {
    if (data_.empty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    painter.setFont(small);
    const QFontMetricsF metrics(small);
    const double labelHeight = hasLabels() ? metrics.height() + 2 : 0;
    const double chartHeight = height() - labelHeight;
    const double slot = static_cast<double>(width()) / static_cast<double>(data_.size());
    const double barWidth = std::clamp(slot * 0.7, 1.0, 24.0);
    double widest = 0;
    for (const auto& bar : data_) widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(bar.first)));
    const auto labelStep = static_cast<std::size_t>(std::max(1.0, std::ceil((widest + 4) / slot)));
    std::vector<double> values;
    for (const auto& bar : data_) values.push_back(bar.second);
    const double scale = ChartRules::barChartScale(values, fixedMax_);
    const QColor color = Palette::color(color_);
    QColor track = Palette::color(SystemColor::primary);
    track.setAlphaF(0.06);
    for (std::size_t i = 0; i < data_.size(); ++i) {
        const double centre = slot * (static_cast<double>(i) + 0.5);
        const double value = std::isfinite(values[i]) ? std::clamp(values[i] / scale, 0.0, 1.0) : 0.0;
        const double barHeight = std::max(value * chartHeight, 1.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(track);
        painter.drawRoundedRect(QRectF(centre - barWidth / 2, 0, barWidth, chartHeight), 2, 2);
        painter.setBrush(color);
        painter.drawRoundedRect(QRectF(centre - barWidth / 2, chartHeight - barHeight, barWidth, barHeight), 2, 2);
        if (labelHeight == 0 || i % labelStep != 0) continue;
        painter.setPen(Palette::color(SystemColor::secondary));
        const QString label = QString::fromStdString(data_[i].first);
        // A label that would be cut at an edge (under a narrow first or last bar) is left out.
        const double half = metrics.horizontalAdvance(label) / 2;
        if (centre - half < 0 || centre + half > width()) continue;
        painter.drawText(QRectF(centre - slot * labelStep / 2, chartHeight + 2, slot * labelStep, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

}  // namespace corvelle
