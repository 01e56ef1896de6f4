#include "care/ChargeLimitChoice.h"
#include "care/ChargeLimitRoute.h"
#include "localization/LBatteryCare.h"
#include "platform/ChargeLimit.h"

#include "support/BilingualText.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(ChargeLimit, ProblemsAndWriteOrder) {
    const struct {
        ChargeLimit limit;
        ChargeLimitProblem problem;
    } limits[] = {
        {{std::nullopt, 1}, ChargeLimitProblem::none},   {{std::nullopt, 100}, ChargeLimitProblem::none},
        {{std::nullopt, 0}, ChargeLimitProblem::outOfRange}, {{std::nullopt, 101}, ChargeLimitProblem::outOfRange},
        {{0, 80}, ChargeLimitProblem::outOfRange},       {{99, 100}, ChargeLimitProblem::none},
        {{80, 80}, ChargeLimitProblem::startNotBelowEnd}, {{81, 80}, ChargeLimitProblem::startNotBelowEnd},
    };
    for (const auto& c : limits) {
        EXPECT_EQ(problemOf(c.limit), c.problem) << c.limit.start.value_or(-1) << "/" << c.limit.end;
    }
    const ChargeThresholds at75to80{"BAT0", 75, 80};
    EXPECT_TRUE(writeEndFirst(at75to80, {85, 90}));    // raising: the start may not pass the old end
    EXPECT_FALSE(writeEndFirst(at75to80, {55, 60}));   // lowering: the end may not fall to the old start
    EXPECT_FALSE(writeEndFirst(at75to80, {70, 80}));
    EXPECT_FALSE(writeEndFirst({"BAT0", std::nullopt, std::nullopt}, {55, 60}));
}

TEST(ChargeLimit, PresetsAndDerivedStart) {
    const ChargeThresholds withStart{"BAT0", 0, 80}, endOnly{"BAT0", std::nullopt, 65};
    EXPECT_EQ(ChargeLimitChoice::presetOf(withStart), 80);
    EXPECT_EQ(ChargeLimitChoice::presetOf(endOnly), std::nullopt);  // custom
    EXPECT_EQ(ChargeLimitChoice::presetOf({}), std::nullopt);
    EXPECT_EQ(ChargeLimitChoice::limitFor(60, withStart), (ChargeLimit{55, 60}));
    EXPECT_EQ(ChargeLimitChoice::limitFor(100, withStart), (ChargeLimit{95, 100}));
    EXPECT_EQ(ChargeLimitChoice::limitFor(3, withStart), (ChargeLimit{1, 3}));
    EXPECT_EQ(ChargeLimitChoice::limitFor(80, endOnly), (ChargeLimit{std::nullopt, 80}));
}

TEST(ChargeLimit, UPowerSetsOnlyItsOwnLimitOrNone) {
    const UPowerChargeOffer offers80{true, 75, 80};
    const struct {
        std::optional<UPowerChargeOffer> offer;
        ChargeLimit limit;
        ChargeLimitRoute route;
    } cases[] = {
        {offers80, {75, 80}, ChargeLimitRoute::enableUPowerLimit},
        {offers80, {std::nullopt, 80}, ChargeLimitRoute::enableUPowerLimit},
        {offers80, {95, 100}, ChargeLimitRoute::disableUPowerLimit},
        {offers80, {55, 60}, ChargeLimitRoute::helper},
        {UPowerChargeOffer{false, 75, 80}, {75, 80}, ChargeLimitRoute::helper},
        {std::nullopt, {95, 100}, ChargeLimitRoute::helper},
    };
    for (const auto& c : cases) EXPECT_EQ(routeFor(c.offer, c.limit), c.route) << c.limit.end;
}

TEST(ChargeLimit, TextsThatBranch) {
    test::expectBothLanguages({
        {[] { return L::chargeLimitPreset(100); }, "100% (no limit)", "100% (sin límite)"},
        {[] { return L::chargeLimitState(80, std::nullopt); }, "Charging stops at 80%", "La carga se detiene al 80%"},
        {[] { return L::chargeLimitFailed(""); }, "The limit could not be changed.", "No se pudo cambiar el límite."},
        {[] { return L::powerModeName("power-saver"); }, "Power Saver", "Ahorro de energía"},
        {[] { return L::powerModeName("low-latency"); }, "low-latency", "low-latency"},
    });
}

}  // namespace
}  // namespace corvelle
