#include "monitor/WaybarLine.h"

#include "localization/L.h"
#include "localization/LCommandLine.h"
#include "localization/LShell.h"
#include "util/Format.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace corvelle::WaybarLine {
namespace {

std::string batteryLine(const SystemStats& s) {
    std::string line = L::widgetBattery() + formatString(" %.0f%%", s.batteryPercentage);
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
    if (s.batteryPercentage > 0) lines.push_back(batteryLine(s));
    lines.push_back(L::thermalStateLine(L::thermalLevelLabel(s.thermalLevel)));
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
                           {"class", std::string(caseName(stats.thermalLevel))}};
    if (stats.batteryPercentage > 0 && std::isfinite(stats.batteryPercentage)) {
        line["percentage"] = static_cast<int>(std::lround(std::min(stats.batteryPercentage, 100.0)));
    }
    return line.dump();
}

}  // namespace corvelle::WaybarLine
