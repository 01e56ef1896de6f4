#include "alerts/ConditionAlertService.h"

#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Alert = ConditionAlertService::Alert;
using Battery = ConditionAlertService::Battery;
using Alerts = std::vector<Alert>;

struct Harness {
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    ConditionAlertService service{settings, nullptr};
};

TEST(ConditionAlertService, ThermalWarningFiresOnceAndReArmsAtFairOrBelow) {
    using T = ThermalLevel;
    const struct { T level; bool enabled; Alerts raised; const char* why; } steps[] = {
        {T::moderate, true, {}, "fair is not serious"},
        {T::heavy, false, {}, "switched off"},
        {T::heavy, true, {Alert::thermal}, "switching on while hot warns"},
        {T::trapping, true, {}, "worse: still the same spell"},
        {T::moderate, true, {}, "back at fair re-arms"},
        {T::sleeping, true, {Alert::thermal}, "a new spell"},
    };
    Harness h;
    for (const auto& step : steps) {
        h.settings.setAlertsThermal(step.enabled);
        EXPECT_EQ(h.service.check(step.level, std::nullopt), step.raised) << step.why;
    }
}

TEST(ConditionAlertService, LowBatteryFiresOnceWhileDischargingAndReArmsAboveTheThreshold) {
    const struct { std::optional<Battery> battery; bool enabled; Alerts raised; const char* why; } steps[] = {
        {Battery{11, true, {}}, true, {}, "above the threshold"},
        {Battery{10, false, {}}, true, {}, "at the threshold but charging"},
        {Battery{10, true, {}}, false, {}, "switched off"},
        {Battery{10, true, {}}, true, {Alert::lowBattery}, "falls to the threshold"},
        {Battery{9, true, {}}, true, {}, "once per discharge"},
        {std::nullopt, true, {}, "a tick without a battery reading"},
        {Battery{10, false, {}}, true, {}, "plugged in at the threshold does not re-arm"},
        {Battery{8, true, {}}, true, {}, "unplugged again: the same spell"},
        {Battery{11, false, {}}, true, {}, "recharged above it re-arms"},
        {Battery{10, true, {}}, true, {Alert::lowBattery}, "a new spell"},
        {Battery{30, true, {}}, true, {}, "above it again"},
        {Battery{{}, true, ChargeLevel::normal}, true, {}, "no percentage, a Normal level"},
        {Battery{{}, true, ChargeLevel::low}, true, {Alert::lowBattery}, "a Low level is low"},
        {Battery{{}, true, {}}, true, {}, "no percentage, no level: unknown, not 0 % and not recharged"},
        {Battery{{}, true, ChargeLevel::critical}, true, {}, "still the same spell"},
    };
    Harness h;
    for (const auto& step : steps) {
        h.settings.setAlertsLowBattery(step.enabled);
        EXPECT_EQ(h.service.check(ThermalLevel::nominal, step.battery), step.raised) << step.why;
    }
}

}  // namespace
}  // namespace corvelle
