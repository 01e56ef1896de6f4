#include "present/StatusItemComposer.h"

#include "localization/L.h"
#include "localization/LHistoryBattery.h"
#include "present/BatteryLevel.h"
#include "util/Format.h"

#include <algorithm>
#include <string>
#include <string_view>
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

// A title part and its guide: the part with every digit a "0", or the widest the part can be
// (`widest`, in zeros) when that is longer.
struct Part {
    std::string text;
    std::string guide;
};

size_t characters(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

Part part(std::string text, std::string_view widest) {
    std::string guide = text;
    for (char& c : guide) {
        if (c >= '0' && c <= '9') c = '0';
    }
    if (characters(widest) > characters(guide)) guide = widest;
    return {std::move(text), std::move(guide)};
}

std::string longestThermalLabel() {
    std::string longest;
    for (const auto level : {ThermalLevel::moderate, ThermalLevel::heavy, ThermalLevel::trapping, ThermalLevel::sleeping}) {
        std::string label = L::thermalLevelLabel(level);
        if (characters(label) > characters(longest)) longest = std::move(label);
    }
    return longest;
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
    std::vector<Part> parts;
    if (options.showCPU) parts.push_back(part(formatString("CPU %.1f%%", stats.cpuTotalUsage), "CPU 000.0%"));
    if (options.showTemp && stats.pCoreTemp > 0) parts.push_back(part(formatString("%.1f°C", stats.pCoreTemp), "00.0°C"));
    if (options.showThermal && stats.thermalLevel && *stats.thermalLevel != ThermalLevel::nominal) {
        parts.push_back(part(L::thermalLevelLabel(*stats.thermalLevel), longestThermalLabel()));
    }
    if (options.showBattery && stats.batteryIsPresent && (stats.batteryPercentage || stats.batteryChargeLevel)) {
        if (options.showBatteryPercent) {
            parts.push_back(part(L::chargeText(stats.batteryPercentage, stats.batteryChargeLevel), "000%"));
        }
        if (stats.batteryIsPluggedIn) {
            if (stats.batteryWatts > 0) {
                parts.push_back(part("\u26A1" + formatString("%.1f W", stats.batteryWatts), "\u26A100.0 W"));
            }
        } else if (stats.batteryTimeRemaining > 0) {
            parts.push_back(part(batteryTimeString(stats.batteryTimeRemaining), "00 min"));
        }
    }
    MenuBarTitle title;
    for (size_t i = 0; i < parts.size(); ++i) {
        const char* separator = i == 0 ? " " : " | ";
        title.text += separator + parts[i].text;
        title.guide += separator + parts[i].guide;
    }
    return title;
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
