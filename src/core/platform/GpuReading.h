#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// One GPU as the machine reports it; the figures are those of an awake GPU, each absent where
// it was not asked for or the GPU does not give it.
struct GpuReading {
    // Runtime power management: awake, asleep, or not managed (it never sleeps).
    enum class Power { active, suspended, alwaysOn };
    // A process holding the GPU open, and its use of it since the previous reading (0-100).
    struct Client {
        std::int32_t pid = 0;
        std::optional<double> busyPercent{};
        std::optional<std::uint64_t> memoryBytes{};
        bool operator==(const Client&) const = default;
    };

    std::string id{};      // PCI slot, or the device's name off the PCI bus
    std::string name{};
    std::string driver{};
    bool discrete = false;
    Power power = Power::active;
    std::optional<double> loadPercent{};
    std::optional<double> powerWatts{};  // a discrete GPU's own draw; 0 while it sleeps
    std::optional<double> temperature{};
    std::optional<std::uint64_t> memoryUsedBytes{};
    std::optional<std::uint64_t> memoryTotalBytes{};
    std::vector<Client> clients{};
    bool operator==(const GpuReading&) const = default;
};

}  // namespace corvelle
