#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvelle {

// Labelled bars in the given order, each as tall as its value over the scale of
// ChartRules::barChartScale on a faint full-height track, with its label underneath (every other label, or fewer, when they
// would not fit). Bars without labels leave no room for them.
class BarChartView : public QWidget {
public:
    using Bar = std::pair<std::string, double>;

    BarChartView(SystemColor color, std::optional<double> fixedMax, int height, QWidget* parent = nullptr);

    // Repaints only when something changed.
    void setData(std::vector<Bar> data);
    void setColor(SystemColor color);
    const std::vector<Bar>& data() const { return data_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool hasLabels() const;

    std::vector<Bar> data_;
    SystemColor color_;
    std::optional<double> fixedMax_;
};

}  // namespace corvelle
