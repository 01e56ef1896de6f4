#include "present/WidgetCardContent.h"

#include "localization/L.h"
#include "localization/LHistoryBattery.h"
#include "localization/LOverview.h"
#include "localization/LShell.h"
#include "present/BatteryLevel.h"
#include "util/Format.h"

#include <algorithm>
#include <string>

namespace corvelle {
namespace {

WidgetCardContent card(std::string label, std::string icon, std::string value, SystemColor color) {
    WidgetCardContent content;
    content.label = std::move(label);
    content.icon = std::move(icon);
    content.value = std::move(value);
    content.color = color;
    return content;
}

WidgetCardContent battery(const SystemStats& stats) {
    const auto shown = BatteryLevel::symbolPercent(stats.batteryPercentage, stats.batteryChargeLevel);
    // No battery, or one that says nothing of its charge: no figure rather than an alarming "0%".
    if (!stats.batteryIsPresent || !shown) {
        auto content = card(L::widgetBattery(), "battery.0percent", "--", SystemColor::secondary);
        if (!stats.batteryIsPresent) content.detail = L::noBattery();
        return content;
    }
    const double p = *shown;
    auto content =
        card(L::widgetBattery(), "", L::chargeText(stats.batteryPercentage, stats.batteryChargeLevel), SystemColor::green);
    if (stats.batteryIsCharging) {
        content.icon = "battery.100percent.bolt";
    } else {
        // The card's symbol has no empty step: it shows a quarter from 0 % up.
        content.icon = "battery." + std::to_string(std::max(BatteryLevel::fillStep(p), 25)) + "percent";
        content.color = BatteryLevel::chargeColor(p);
    }
    if (stats.batteryIsPluggedIn) content.detailIcon = "powerplug.fill";
    return content;
}

WidgetCardContent cpu(const SystemStats& stats) {
    const double usage = stats.cpuTotalUsage;
    return card(L::widgetCPU(), "cpu", formatString("%.1f%%", usage),
                usage >= 80 ? SystemColor::red : usage >= 50 ? SystemColor::orange : SystemColor::blue);
}

WidgetCardContent temperature(const SystemStats& stats) {
    double t = 0;
    for (double candidate : {stats.pCoreTemp, stats.eCoreTemp, stats.gpuTemp}) {
        if (candidate > 0) {
            t = candidate;
            break;
        }
    }
    return card(L::widgetTemperature(), "thermometer.medium", t > 0 ? formatString("%.1f°C", t) : "--",
                t >= 90 ? SystemColor::red : t >= 70 ? SystemColor::orange : SystemColor::blue);
}

WidgetCardContent power(const SystemStats& stats) {
    auto content = card(L::widgetPower(), "bolt.fill",
                        stats.totalPowerWatts > 0 ? formatString("%.1f W", stats.totalPowerWatts) : "--",
                        SystemColor::purple);
    if (!stats.hasPowerMeter()) {
        content.detail = L::noPowerMeter();
        return content;
    }
    // A part the energy counters do not cover reads "--", not 0 W.
    const auto part = [](double watts) { return watts > 0 ? formatString("%.1f W", watts) : std::string("--"); };
    content.detail = "CPU " + part(stats.cpuPowerWatts) + "  GPU: " + part(stats.gpuPowerWatts);
    return content;
}

WidgetCardContent memory(const SystemStats& stats) {
    auto content = card(L::widgetMemory(), "memorychip", "--", SystemColor::blue);
    if (stats.memoryTotal == 0) return content;
    const double used = static_cast<double>(stats.memoryAppUsed) + static_cast<double>(stats.memoryWired) +
                        static_cast<double>(stats.memoryCompressed);
    const double m = used / static_cast<double>(stats.memoryTotal) * 100.0;
    content.value = formatString("%.0f%%", m);
    content.color = m >= 85 ? SystemColor::red : m >= 65 ? SystemColor::orange : SystemColor::blue;
    return content;
}

}  // namespace

WidgetCardContent widgetCardContent(PinnedWidget widget, const SystemStats& stats) {
    switch (widget) {
        case PinnedWidget::battery: return battery(stats);
        case PinnedWidget::cpu: return cpu(stats);
        case PinnedWidget::temperature: return temperature(stats);
        case PinnedWidget::power: return power(stats);
        case PinnedWidget::memory: return memory(stats);
    }
    return cpu(stats);
}

}  // namespace corvelle
