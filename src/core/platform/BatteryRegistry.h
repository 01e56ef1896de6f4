#pragma once

#include "platform/PropertyDictionary.h"

#include <optional>

namespace corvelle {

// The battery controller's registry entry as a property map (AppleRawCurrentCapacity,
// InstantAmperage, ExternalConnected, ...).
class BatteryRegistry {
public:
    virtual ~BatteryRegistry() = default;
    // Absent when the machine has no battery or its properties cannot be read.
    virtual std::optional<PropertyDictionary> properties() = 0;
};

}  // namespace corvelle
