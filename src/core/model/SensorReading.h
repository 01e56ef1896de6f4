#pragma once

#include <string>

namespace corvelle {

// One named temperature, degrees Celsius.
struct SensorReading {
    std::string key;
    double value = 0;
    bool operator==(const SensorReading&) const = default;
};

}  // namespace corvelle
