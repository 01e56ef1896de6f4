#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <string>

namespace corvelle {

// A percentage as a 52 x 52 ring, the figure "%.1f%%" in its centre and the icon (in `color`)
// above the label beside it. The ring's colour follows ChartRules::gaugeColor.
class GaugeView : public QWidget {
public:
    static constexpr int ringSide = 52;

    GaugeView(std::string icon, SystemColor color, QWidget* parent = nullptr);

    // Repaints only when something changed.
    void setValue(double percent);
    void setLabel(const std::string& label);
    double value() const { return value_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Names the gauge for assistive tools and repaints.
    void describe();

    std::string icon_;
    SystemColor color_;
    QString label_;
    double value_ = 0;
};

}  // namespace corvelle
