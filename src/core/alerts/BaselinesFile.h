#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// The content of baselines.json: each process name's long-term CPU average and the long-term
// average of the battery draw.
struct BaselinesFile {
    struct Baseline {
        double avgCPU = 0;
        std::int64_t sampleCount = 0;  // at most 10,000
        double lastSeen = 0;           // seconds since 2001-01-01T00:00:00Z
        bool operator==(const Baseline&) const = default;
    };

    std::map<std::string, Baseline> processBaselines;
    std::optional<double> systemWattsEMA;

    bool operator==(const BaselinesFile&) const = default;

    // Absent when the text is not JSON of this shape, or holds a negative or non-finite figure.
    static std::optional<BaselinesFile> decode(std::string_view text);
    static std::optional<BaselinesFile> decodeValue(const nlohmann::json& json);
    // Absent when a figure is not finite.
    std::optional<std::string> encode() const;
};

}  // namespace corvelle
