#include "sampling/SystemStats.h"

#include "localization/L.h"
#include "util/Format.h"

namespace corvelle {
namespace {

std::string levelWord(double percent) {
    if (percent >= 75) return "100";
    if (percent >= 50) return "75";
    if (percent >= 25) return "50";
    if (percent >= 10) return "25";
    return "0";
}

SystemColor iconColor(const SystemStats& stats) {
    if (stats.batteryIsCharging) return SystemColor::green;
    if (stats.batteryIsPluggedIn) return SystemColor::blue;
    if (stats.batteryPercentage < 20) return SystemColor::red;
    if (stats.batteryPercentage < 50) return SystemColor::orange;
    return SystemColor::green;
}

}  // namespace

MenuBarTitle SystemStats::menuBarAttributedString(bool showCPU, bool showTemp, bool showBattery, bool showThermal,
                                                  bool showBatteryPercent) const {
    std::vector<std::string> parts;
    if (showCPU) parts.push_back(formatString("CPU %.1f%%", cpuTotalUsage));
    if (showTemp && pCoreTemp > 0) parts.push_back(formatString("%.1f°C", pCoreTemp));
    if (showThermal && thermalLevel != ThermalLevel::nominal) parts.push_back(L::thermalLevelLabel(thermalLevel));
    if (showBattery && batteryPercentage > 0) {
        if (showBatteryPercent) parts.push_back(formatString("%.0f%%", batteryPercentage));
        if (batteryIsPluggedIn) {
            if (batteryWatts > 0) parts.push_back("\u26A1" + formatString("%.1f W", batteryWatts));
        } else if (batteryTimeRemaining > 0) {
            parts.push_back(batteryTimeString(batteryTimeRemaining));
        }
    }
    MenuBarTitle title;
    for (size_t i = 0; i < parts.size(); ++i) title.text += (i == 0 ? " " : " | ") + parts[i];
    return title;
}

std::optional<BatteryIcon> SystemStats::batteryIcon() const {
    if (!(batteryPercentage > 0)) return std::nullopt;
    BatteryIcon icon;
    icon.symbolName = "battery." + levelWord(batteryPercentage) + (batteryIsCharging ? ".bolt" : "");
    icon.stateLabel = batteryIsCharging    ? L::batteryStateCharging()
                      : batteryIsPluggedIn ? L::batteryStatePluggedIn()
                                           : L::batteryStateBattery();
    icon.color = iconColor(*this);
    icon.plugBadge = batteryIsPluggedIn && !batteryIsCharging;
    if (!icon.plugBadge) icon.accessibilityDescription = icon.symbolName + "-" + icon.stateLabel;
    return icon;
}

}  // namespace corvelle
