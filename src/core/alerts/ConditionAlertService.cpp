#include "alerts/ConditionAlertService.h"

#include "localization/L.h"
#include "localization/LConditionAlerts.h"
#include "settings/AppSettings.h"

namespace corvelle {
namespace {

// Serious, critical and emergency; fair and nominal are below.
bool isSeriousOrWorse(ThermalLevel level) { return toRaw(level) >= toRaw(ThermalLevel::heavy); }

// Low: at or below the threshold, or at a Low or Critical level; absent when nothing is known.
std::optional<bool> isLowCharge(const ConditionAlertService::Battery& battery, double threshold) {
    if (battery.percentage) return *battery.percentage <= threshold;
    if (battery.level) return isLow(*battery.level);
    return std::nullopt;
}

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
        const auto low = isLowCharge(*battery, threshold);
        if (lowBattery_.fires(battery->discharging && low.value_or(false), !low.value_or(true),
                              appSettings_.alertsLowBattery())) {
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
                        L::lowBatteryAlertBody(L::chargeText(battery->percentage, battery->level)), true);
    }
}

}  // namespace corvelle
