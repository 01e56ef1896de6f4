#include "care/ChargeLimitChoice.h"
#include "care/ChargeLimitRoute.h"

#include <gtest/gtest.h>

// The limits' validation, write order and routes run end to end in the helper's and the Qt
// clients' tests; here the cases those do not reach.
namespace corvelle {
namespace {

TEST(BatteryCare, PresetsStartsAndRoutes) {
    const ChargeThresholds withStart{"BAT0", 0, 80}, endOnly{"BAT0", std::nullopt, 65};
    EXPECT_EQ(ChargeLimitChoice::presetOf(withStart), 80);
    EXPECT_EQ(ChargeLimitChoice::presetOf(endOnly), std::nullopt);  // a custom value
    EXPECT_EQ(ChargeLimitChoice::limitFor(3, withStart), (ChargeLimit{1, 3}));
    EXPECT_EQ(ChargeLimitChoice::limitFor(80, endOnly), (ChargeLimit{std::nullopt, 80}));
    EXPECT_FALSE(writeEndFirst({"BAT0", 75, std::nullopt}, {55, 60}));  // end unreadable: start first
    EXPECT_EQ(routeFor(UPowerChargeOffer{false, 75, 80}, {75, 80}), ChargeLimitRoute::helper);
    EXPECT_EQ(routeFor(UPowerChargeOffer{true, 75, 80}, {std::nullopt, 80}), ChargeLimitRoute::enableUPowerLimit);
}

}  // namespace
}  // namespace corvelle
