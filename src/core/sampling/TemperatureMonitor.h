#pragma once

#include "model/TemperatureReading.h"
#include "model/SensorReading.h"
#include "sampling/SMCService.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// Temperatures of the efficiency cores, performance cores and GPU, and the fan speeds,
// from the controller's fixed key lists.
class TemperatureMonitor {
public:
    using Snapshot = TemperatureReading;

    explicit TemperatureMonitor(SMCService& smc) : smc_(smc) {}

    // Absent when no temperature key yields an accepted value (fans are then not read).
    std::optional<Snapshot> sample();

    // A temperature in °C from a key's bytes and type, absent when implausible.
    static std::optional<double> decodeTemperature(const SMCService::Bytes& bytes, std::uint32_t type);
    // A fan speed in rpm from a key's bytes and type, absent when not a usable number.
    static std::optional<std::int32_t> decodeFanSpeed(const SMCService::Bytes& bytes, std::uint32_t type);

private:
    // Bytes and type of a key, absent when either cannot be read.
    std::optional<std::pair<SMCService::Bytes, std::uint32_t>> read(std::string_view key);

    SMCService& smc_;
};

}  // namespace corvelle
