#pragma once

#include "platform/PropertyDictionary.h"

#include <optional>

namespace corvelle {

// The battery controller's registry entry as a property map (AppleRawCurrentCapacity,
// InstantAmperage, ExternalConnected, ...). Where a driver knows more exactly than those keys can
// say, the map also holds doubles "ChargePercent" (charge now over full, 0 to 100), "HealthPercent"
// (full over design) and "PowerWatts" (the power draw), and, for a battery that reports only a
// coarse level, the string "ChargeLevel" ("Critical", "Low", "Normal", "High" or "Full").
class BatteryRegistry {
public:
    virtual ~BatteryRegistry() = default;
    // Absent when the machine has no battery or its properties cannot be read.
    virtual std::optional<PropertyDictionary> properties() = 0;
};

}  // namespace corvelle
