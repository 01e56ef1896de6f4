#include "care/ChargeLimitRoute.h"

namespace corvelle {

ChargeLimitRoute routeFor(const std::optional<UPowerChargeOffer>& offer, const ChargeLimit& limit) {
    if (!offer || !offer->supported) return ChargeLimitRoute::helper;
    if (limit.end == 100) return ChargeLimitRoute::disableUPowerLimit;
    if (limit.end == offer->end) return ChargeLimitRoute::enableUPowerLimit;
    return ChargeLimitRoute::helper;
}

}  // namespace corvelle
