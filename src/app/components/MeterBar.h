#pragma once

#include "util/SystemColor.h"

#include <QWidget>

namespace corvelle {

// A horizontal bar filled from the left to a fraction of its width, on a faint track.
class MeterBar : public QWidget {
public:
    explicit MeterBar(SystemColor color = SystemColor::blue, int thickness = 6, QWidget* parent = nullptr);

    // The fraction is limited to 0-1; repaints only on a change.
    void setValue(double fraction, SystemColor color);
    double fraction() const { return fraction_; }
    SystemColor color() const { return color_; }

    QSize sizeHint() const override { return {60, thickness_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SystemColor color_;
    int thickness_;
    double fraction_ = 0;
};

}  // namespace corvelle
