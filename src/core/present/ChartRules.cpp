#include "present/ChartRules.h"

#include <algorithm>
#include <cmath>

namespace corvelle::ChartRules {

SystemColor gaugeColor(double percent) {
    if (percent >= 75) return SystemColor::red;
    if (percent >= 50) return SystemColor::orange;
    return SystemColor::green;
}

double gaugeFraction(double percent) { return std::isfinite(percent) ? std::clamp(percent, 0.0, 100.0) / 100.0 : 0.0; }

std::vector<Point> linePoints(const std::vector<double>& values, double maxValue, double width, double height) {
    std::vector<Point> points;
    if (values.size() < 2) return points;
    const double scale = maxValue > 0 ? maxValue : 1.0;
    const double step = width / static_cast<double>(values.size() - 1);
    points.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double share = std::isfinite(values[i]) ? std::clamp(values[i] / scale, 0.0, 1.0) : 0.0;
        points.push_back({step * static_cast<double>(i), height - share * height});
    }
    return points;
}

SystemColor healthLineColor(const std::vector<double>& values) {
    if (values.empty() || values.back() >= 80) return SystemColor::green;
    return values.back() >= 60 ? SystemColor::orange : SystemColor::red;
}

SystemColor habitScoreColor(std::int64_t overall) {
    if (overall >= 90) return SystemColor::green;
    if (overall >= 75) return SystemColor::blue;
    return overall >= 60 ? SystemColor::orange : SystemColor::red;
}

SubScoreMark subScoreMark(const SubScore& score) {
    if (score.isGood()) return {SystemColor::green, "checkmark.circle.fill"};
    return {SystemColor::orange, "exclamationmark.octagon.fill"};
}

double barChartScale(const std::vector<double>& values, std::optional<double> fixedMax) {
    if (fixedMax && *fixedMax > 0) return *fixedMax;
    double largest = 0;
    for (double value : values) {
        if (std::isfinite(value)) largest = std::max(largest, value);
    }
    return largest > 0 ? largest : 1.0;
}

}  // namespace corvelle::ChartRules
