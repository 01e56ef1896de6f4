#include "present/BatteryLevel.h"

namespace corvelle::BatteryLevel {

int fillStep(double percent) {
    if (percent >= 75) return 100;
    if (percent >= 50) return 75;
    if (percent >= 25) return 50;
    if (percent >= 10) return 25;
    return 0;
}

SystemColor chargeColor(double percent) {
    if (percent < 20) return SystemColor::red;
    if (percent < 50) return SystemColor::orange;
    return SystemColor::green;
}

std::optional<double> symbolPercent(const std::optional<double>& percent, const std::optional<ChargeLevel>& level) {
    if (percent || !level) return percent;
    switch (*level) {
        case ChargeLevel::critical: return 5.0;
        case ChargeLevel::low: return 15.0;
        case ChargeLevel::normal: return 50.0;
        case ChargeLevel::high: return 80.0;
        case ChargeLevel::full: break;
    }
    return 100.0;
}

}  // namespace corvelle::BatteryLevel
