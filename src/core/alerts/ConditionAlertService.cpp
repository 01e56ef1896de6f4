#include "alerts/ConditionAlertService.h"

#include "localization/LConditionAlerts.h"
#include "settings/AppSettings.h"
#include "util/Format.h"

namespace corvelle {
namespace {

// Serious, critical and emergency; fair and nominal are below.
bool isSeriousOrWorse(ThermalLevel level) { return toRaw(level) >= toRaw(ThermalLevel::heavy); }

}  // namespace

ConditionAlertService::ConditionAlertService(const AppSettings& appSettings, std::shared_ptr<Notifier> notifier)
    : appSettings_(appSettings), notifier_(std::move(notifier)) {}

bool ConditionAlertService::Latch::fires(bool reached, bool rearm, bool enabled) {
    if (rearm) armed = true;
    if (!reached || !enabled || !armed) return false;
    armed = false;
    return true;
}

std::vector<ConditionAlertService::Alert> ConditionAlertService::check(ThermalLevel level,
                                                                       const std::optional<Battery>& battery) {
    std::vector<Alert> raised;
    const bool hot = isSeriousOrWorse(level);
    if (thermal_.fires(hot, !hot, appSettings_.alertsThermal())) raised.push_back(Alert::thermal);
    if (battery) {
        const auto threshold = static_cast<double>(appSettings_.alertsBatteryThreshold());
        const bool low = battery->discharging && battery->percentage <= threshold;
        if (lowBattery_.fires(low, battery->percentage > threshold, appSettings_.alertsLowBattery())) {
            raised.push_back(Alert::lowBattery);
        }
    }
    for (Alert alert : raised) post(alert, level, battery);
    return raised;
}

void ConditionAlertService::post(Alert alert, ThermalLevel level, const std::optional<Battery>& battery) const {
    if (!notifier_) return;
    if (alert == Alert::thermal) {
        notifier_->post("corvelle-thermal", L::thermalAlertTitle(), L::thermalAlertBody(level), true);
    } else {
        notifier_->post("corvelle-low-battery", L::lowBatteryAlertTitle(),
                        L::lowBatteryAlertBody(formatString("%.0f%%", battery->percentage)), true);
    }
}

}  // namespace corvelle
