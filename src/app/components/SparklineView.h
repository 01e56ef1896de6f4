#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <vector>

namespace corvelle {

// A line through the values, evenly spaced across the width and scaled to maxValue (see
// ChartRules::linePoints), optionally with the area under it filled with a fading gradient.
// Draws nothing with fewer than two values.
class SparklineView : public QWidget {
public:
    SparklineView(SystemColor color, double maxValue, bool showFill, int height, QWidget* parent = nullptr);

    // Repaints only when something changed.
    void setValues(std::vector<double> values);
    void setColor(SystemColor color);
    void setMaxValue(double maxValue);
    const std::vector<double>& values() const { return values_; }
    SystemColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The chart's area inside the widget, leaving room for the line's width.
    QRectF plotArea() const;

private:
    std::vector<double> values_;
    SystemColor color_;
    double maxValue_;
    bool showFill_;
};

}  // namespace corvelle
