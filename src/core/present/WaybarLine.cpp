#include "present/WaybarLine.h"

#include "localization/L.h"
#include "localization/LCommandLine.h"
#include "localization/LShell.h"
#include "util/Format.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace corvelle::WaybarLine {
namespace {

std::string batteryLine(const SystemStats& s) {
    std::string line = L::widgetBattery() + " " + L::chargeText(s.batteryPercentage, s.batteryChargeLevel);
    const std::string watts = formatString("%.1f W", s.batteryWatts);
    if (s.batteryIsCharging) return line + " · " + L::chargingWithWatts(watts);
    if (s.batteryIsPluggedIn) return line + " · " + L::pluggedInWithWatts(watts);
    if (s.batteryTimeRemaining > 0) return line + " · " + L::remaining(batteryTimeString(s.batteryTimeRemaining));
    return line;
}

std::string tooltip(const SystemStats& s) {
    std::vector<std::string> lines;
    if (!s.coreUsages.empty()) lines.push_back(L::widgetCPU() + formatString(" %.1f%%", s.cpuTotalUsage));
    if (s.pCoreTemp > 0) lines.push_back(L::widgetTemperature() + formatString(" %.1f°C", s.pCoreTemp));
    if (s.totalPowerWatts > 0) lines.push_back(L::widgetPower() + formatString(" %.1f W", s.totalPowerWatts));
    if (s.memoryTotal > 0) {
        lines.push_back(L::widgetMemory() + " " + bytesString(s.memoryUsed) + " / " + bytesString(s.memoryTotal));
    }
    if (s.batteryIsPresent) lines.push_back(batteryLine(s));
    if (s.thermalLevel) lines.push_back(L::thermalStateLine(L::thermalLevelLabel(*s.thermalLevel)));
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

std::string plainTitle(const MenuBarTitle& title) {
    return title.text.starts_with(' ') ? title.text.substr(1) : title.text;
}

std::string compose(const SystemStats& stats, const MenuBarTitle& title) {
    nlohmann::json line = {{"text", plainTitle(title)},
                           {"tooltip", tooltip(stats)},
                           {"class", stats.thermalLevel ? std::string(caseName(*stats.thermalLevel)) : "unknown"}};
    if (const auto percent = stats.batteryPercentage; percent && std::isfinite(*percent)) {
        line["percentage"] = static_cast<int>(std::lround(std::clamp(*percent, 0.0, 100.0)));
    }
    return line.dump();
}

}  // namespace corvelle::WaybarLine
