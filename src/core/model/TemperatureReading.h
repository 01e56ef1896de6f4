#pragma once

#include "model/SensorReading.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvelle {

// Temperatures, °C, and fan speeds, rpm.
struct TemperatureReading {
    double eCoreTemp = 0;  // mean of the accepted readings, 0 when none
    double pCoreTemp = 0;
    double gpuTemp = 0;
    std::vector<std::int32_t> fanSpeeds;  // one per readable fan
    std::map<std::string, double> allTemperatures;
    std::vector<SensorReading> sortedTemperatures;  // allTemperatures in ascending key order
    bool operator==(const TemperatureReading&) const = default;
};

}  // namespace corvelle
