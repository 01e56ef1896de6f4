#pragma once

#include "platform/BatteryRegistry.h"

#include <optional>

namespace corvelle::test {

// A battery whose properties the test sets; no reading while they are absent.
struct FakeBatteryRegistry : BatteryRegistry {
    explicit FakeBatteryRegistry(std::optional<PropertyDictionary> reading = std::nullopt) : reading(std::move(reading)) {}
    std::optional<PropertyDictionary> properties() override { return reading; }
    std::optional<PropertyDictionary> reading;
};

}  // namespace corvelle::test
