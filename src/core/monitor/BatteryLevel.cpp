#include "monitor/BatteryLevel.h"

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

}  // namespace corvelle::BatteryLevel
