#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>

namespace corvelle {

struct SystemStats;

// One local hour of a day: means and peak over the samples taken in it; the watts only over the
// samples that had a power reading.
struct HourlyFingerprint {
    std::int64_t hour = 0;
    double avgCPU = 0;
    double avgWatts = 0;
    double avgMemoryPressure = 0;
    double peakCPU = 0;
    std::int64_t sampleCount = 0;
    std::int64_t meteredSamples = 0;  // of them, those with a power reading

    void fold(const SystemStats& stats);
    bool operator==(const HourlyFingerprint&) const = default;
};

void to_json(nlohmann::json& json, const HourlyFingerprint& value);
void from_json(const nlohmann::json& json, HourlyFingerprint& value);

}  // namespace corvelle
