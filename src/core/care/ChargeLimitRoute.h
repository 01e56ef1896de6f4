#pragma once

#include "platform/ChargeLimit.h"

#include <optional>

namespace corvelle {

// What the running UPower offers on the battery: whether it manages a charge threshold, and the
// pair it applies when asked to (its configuration, not the battery's current values).
struct UPowerChargeOffer {
    bool supported = false;
    int start = 0;
    int end = 0;
};

// How a limit is set: UPower can turn its own configured limit on, or every limit off (back to
// 100 %); any other limit goes through the privileged helper.
enum class ChargeLimitRoute { enableUPowerLimit, disableUPowerLimit, helper };

ChargeLimitRoute routeFor(const std::optional<UPowerChargeOffer>& offer, const ChargeLimit& limit);

}  // namespace corvelle
