#include "present/BatteryContent.h"

#include "localization/L.h"
#include "localization/LHistoryBattery.h"
#include "present/BatteryLevel.h"
#include "present/ChartRules.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace corvelle::BatteryContent {

bool hasBattery(const SystemStats& stats) { return stats.batteryIsPresent; }

Status status(const SystemStats& stats) {
    Status result;
    result.charge = L::chargeText(stats.batteryPercentage, stats.batteryChargeLevel);
    const double percent = BatteryLevel::symbolPercent(stats.batteryPercentage, stats.batteryChargeLevel).value_or(0);
    if (stats.batteryIsCharging) {
        result.symbol = "battery.100percent.bolt";
        result.color = SystemColor::green;
        result.chargingWatts = formatString("%.1f W", stats.batteryWatts);
    } else {
        // The panel's symbol has no empty step: the lowest shows a quarter.
        const int step = std::max(BatteryLevel::fillStep(percent), 25);
        result.symbol = "battery." + std::to_string(step) + "percent";
        result.color = stats.batteryPercentage || stats.batteryChargeLevel ? BatteryLevel::chargeColor(percent)
                                                                           : SystemColor::secondary;
    }
    result.pluggedIn = stats.batteryIsPluggedIn;
    if (!stats.batteryIsPluggedIn) {
        result.timeRemaining =
            stats.batteryTimeRemaining > 0 ? batteryTimeString(stats.batteryTimeRemaining) : L::calculating();
    }
    return result;
}

Usage usage(const SystemStats& stats) {
    Usage result{formatString("%.1f W", stats.batteryWatts), "--", {}, SystemColor::secondary};
    const double normal = stats.systemBaselineWatts;
    if (!(normal > 0) || !std::isfinite(normal)) return result;
    const double ratio = stats.batteryWatts / normal;
    result.normal = formatString("%.1f W", normal);
    result.ratio = ratio < 1.5 ? L::normal() : formatString("%.1fx", ratio);
    result.color = ratio < 1.5 ? SystemColor::green : ratio < 3 ? SystemColor::orange : SystemColor::red;
    return result;
}

Health health(const SystemStats& stats) {
    // 0 is a battery without the design capacity to measure wear by.
    if (!(stats.batteryHealthPercent > 0)) return {"--", SystemColor::secondary};
    return {formatString("%.0f%%", stats.batteryHealthPercent), ChartRules::healthLineColor({stats.batteryHealthPercent})};
}

std::vector<EnergyGroupRowContent> topEnergyUsers(const std::vector<AppGroup>& groups) {
    std::vector<EnergyGroupRowContent> rows;
    const std::size_t shown = std::min(groups.size(), topEnergyUserCount);
    for (std::size_t i = 0; i < shown; ++i) rows.push_back(energyGroupRowContent(groups[i], groups.front().totalCPU));
    return rows;
}

}  // namespace corvelle::BatteryContent
