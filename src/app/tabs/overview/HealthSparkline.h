#pragma once

#include "app/components/SparklineView.h"

namespace corvelle {

// Battery health readings (percent, oldest first) as a line from 0 to maxValue, coloured by the
// last reading (ChartRules::healthLineColor), with a dashed line at thresholdPercent.
class HealthSparkline : public SparklineView {
public:
    HealthSparkline(double thresholdPercent, double maxValue, int height, QWidget* parent = nullptr);

    // Also recolours the line.
    void setValues(std::vector<double> values);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double thresholdPercent_;
    double maxValue_;
};

}  // namespace corvelle
