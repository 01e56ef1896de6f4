#include "alerts/ConditionAlertService.h"

#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/RecordingNotifier.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Alert = ConditionAlertService::Alert;
using Battery = ConditionAlertService::Battery;
using Alerts = std::vector<Alert>;

struct Harness {
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::shared_ptr<test::RecordingNotifier> notifier = std::make_shared<test::RecordingNotifier>();
    ConditionAlertService service{settings, notifier};
};

TEST(ConditionAlertService, ThermalWarningFiresOnceAndReArmsAtFairOrBelow) {
    using T = ThermalLevel;
    const struct {
        T level;
        bool enabled;
        Alerts raised;
        const char* why;
    } steps[] = {
        {T::moderate, true, {}, "fair is not serious"},
        {T::heavy, false, {}, "switched off"},
        {T::heavy, true, {Alert::thermal}, "switching on while hot warns"},
        {T::trapping, true, {}, "worse again: still the same spell"},
        {T::heavy, true, {}, "no repeat while serious"},
        {T::moderate, true, {}, "back at fair re-arms"},
        {T::sleeping, true, {Alert::thermal}, "a new spell"},
        {T::nominal, true, {}, ""},
        {T::heavy, true, {Alert::thermal}, ""},
    };
    Harness h;
    for (const auto& step : steps) {
        h.settings.setAlertsThermal(step.enabled);
        EXPECT_EQ(h.service.check(step.level, std::nullopt), step.raised) << step.why;
    }
}

TEST(ConditionAlertService, LowBatteryFiresOnceWhileDischargingAndReArmsAboveTheThreshold) {
    const struct {
        std::optional<Battery> battery;
        Alerts raised;
        const char* why;
    } steps[] = {
        {Battery{11, true}, {}, "above the threshold"},
        {Battery{10, false}, {}, "at the threshold but charging"},
        {Battery{10, true}, {Alert::lowBattery}, "falls to the threshold"},
        {Battery{9, true}, {}, "once per discharge"},
        {std::nullopt, {}, "a tick without a battery reading"},
        {Battery{10, false}, {}, "plugged in at the threshold does not re-arm"},
        {Battery{8, true}, {}, "unplugged again, still the same spell"},
        {Battery{11, false}, {}, "recharged above it re-arms"},
        {Battery{10, true}, {Alert::lowBattery}, "a new spell"},
    };
    Harness h;
    h.settings.setAlertsLowBattery(true);
    for (const auto& step : steps) {
        EXPECT_EQ(h.service.check(ThermalLevel::nominal, step.battery), step.raised) << step.why;
    }

    Harness off;
    off.settings.setAlertsBatteryThreshold(20);
    EXPECT_EQ(off.service.check(ThermalLevel::nominal, Battery{15, true}), Alerts{}) << "switched off";
    off.settings.setAlertsLowBattery(true);
    EXPECT_EQ(off.service.check(ThermalLevel::nominal, Battery{15, true}), Alerts{Alert::lowBattery});
}

TEST(ConditionAlertService, PostsItsTextsInTheCurrentLanguage) {
    test::ScopedLanguage spanish("es");
    Harness h;
    h.settings.setAlertsThermal(true);
    h.settings.setAlertsLowBattery(true);
    h.service.check(ThermalLevel::heavy, Battery{9.4, true});
    ASSERT_EQ(h.notifier->posted.size(), 2u);
    EXPECT_EQ(h.notifier->posted[0].title, "Aviso térmico");
    EXPECT_EQ(h.notifier->posted[0].body,
              "El estado térmico es Grave. El rendimiento se reduce hasta que tu equipo se enfríe.");
    EXPECT_EQ(h.notifier->posted[1].title, "Batería baja");
    EXPECT_EQ(h.notifier->posted[1].body, "Batería al 9%. Conecta el cargador pronto.");
}

}  // namespace
}  // namespace corvelle
