#include "present/StatusItemComposer.h"

#include "localization/L.h"
#include "localization/LHistoryBattery.h"
#include "present/BatteryLevel.h"
#include "util/Format.h"

#include <string>
#include <vector>

namespace corvelle::StatusItemComposer {
namespace {

SystemColor iconColor(const SystemStats& stats, double percent) {
    if (stats.batteryIsCharging) return SystemColor::green;
    if (stats.batteryIsPluggedIn) return SystemColor::blue;
    return BatteryLevel::chargeColor(percent);
}

// A machine without a battery: a small monitor in the neutral colour.
BatteryIcon monitorIcon() {
    BatteryIcon icon;
    icon.symbolName = "desktopcomputer";
    icon.stateLabel = L::noBattery();
    icon.color = SystemColor::secondary;
    icon.accessibilityDescription = icon.symbolName + "-" + icon.stateLabel;
    return icon;
}

std::string stateLabel(const SystemStats& stats) {
    return stats.batteryIsCharging    ? L::batteryStateCharging()
           : stats.batteryIsPluggedIn ? L::batteryStatePluggedIn()
                                      : L::batteryStateBattery();
}

// A battery that tells neither its percentage nor its level: an empty outline with a question
// mark in the neutral colour, never the last level shown. It carries its description (no plug
// badge), so the change from a known level always reaches the status item.
BatteryIcon unknownLevelIcon(const SystemStats& stats) {
    BatteryIcon icon;
    icon.symbolName = "battery.unknown";
    icon.stateLabel = stateLabel(stats);
    icon.color = SystemColor::secondary;
    icon.accessibilityDescription = icon.symbolName + "-" + icon.stateLabel;
    return icon;
}

}  // namespace

TitleOptions titleOptions(const AppSettings& settings) {
    return {.showCPU = settings.menuBarShowCPU(),
            .showTemp = settings.menuBarShowTemp(),
            .showBattery = settings.menuBarShowBattery(),
            .showThermal = settings.menuBarShowThermal(),
            .showBatteryPercent = settings.menuBarShowBatteryPercent()};
}

MenuBarTitle title(const SystemStats& stats, const TitleOptions& options) {
    std::vector<std::string> parts;
    if (options.showCPU) parts.push_back(formatString("CPU %.1f%%", stats.cpuTotalUsage));
    if (options.showTemp && stats.pCoreTemp > 0) parts.push_back(formatString("%.1f°C", stats.pCoreTemp));
    if (options.showThermal && stats.thermalLevel && *stats.thermalLevel != ThermalLevel::nominal) {
        parts.push_back(L::thermalLevelLabel(*stats.thermalLevel));
    }
    if (options.showBattery && stats.batteryIsPresent && (stats.batteryPercentage || stats.batteryChargeLevel)) {
        if (options.showBatteryPercent) parts.push_back(L::chargeText(stats.batteryPercentage, stats.batteryChargeLevel));
        if (stats.batteryIsPluggedIn) {
            if (stats.batteryWatts > 0) parts.push_back("\u26A1" + formatString("%.1f W", stats.batteryWatts));
        } else if (stats.batteryTimeRemaining > 0) {
            parts.push_back(batteryTimeString(stats.batteryTimeRemaining));
        }
    }
    MenuBarTitle title;
    for (size_t i = 0; i < parts.size(); ++i) title.text += (i == 0 ? " " : " | ") + parts[i];
    return title;
}

std::string labelGuide(std::string_view title) {
    std::string guide(title);
    for (char& c : guide) {
        if (c >= '0' && c <= '9') c = '0';
    }
    return guide;
}

BatteryIcon batteryIcon(const SystemStats& stats) {
    if (!stats.batteryIsPresent) return monitorIcon();
    const auto percent = BatteryLevel::symbolPercent(stats.batteryPercentage, stats.batteryChargeLevel);
    if (!percent) return unknownLevelIcon(stats);
    BatteryIcon icon;
    icon.symbolName = "battery." + std::to_string(BatteryLevel::fillStep(*percent)) +
                      (stats.batteryIsCharging ? ".bolt" : "");
    icon.stateLabel = stateLabel(stats);
    icon.color = iconColor(stats, *percent);
    icon.plugBadge = stats.batteryIsPluggedIn && !stats.batteryIsCharging;
    if (!icon.plugBadge) icon.accessibilityDescription = icon.symbolName + "-" + icon.stateLabel;
    return icon;
}

}  // namespace corvelle::StatusItemComposer
