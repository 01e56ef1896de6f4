#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// Integrated GPUs share the CPU's package (and its power meter); discrete ones are cards or chips
// of their own that draw power besides it.
enum class GpuKind { integrated, discrete };

// What runtime power management makes of a GPU now: awake, asleep (nothing under it is read), or
// never put to sleep because the device or the system does not manage its power.
enum class GpuState { active, suspended, alwaysOn };

constexpr std::string_view toRaw(GpuKind kind) { return kind == GpuKind::integrated ? "integrated" : "discrete"; }

constexpr std::string_view toRaw(GpuState state) {
    switch (state) {
        case GpuState::active: return "active";
        case GpuState::suspended: return "suspended";
        case GpuState::alwaysOn: break;
    }
    return "alwaysOn";
}

// A process that holds a GPU open.
struct GpuClient {
    std::int32_t pid = 0;
    std::string name{};  // the application it belongs to, else its own name
    // Its share of the GPU's busiest engine since the previous reading, 0-100; absent until there
    // are two readings, or when the driver does not count its use.
    std::optional<double> busyPercent{};
    std::optional<std::uint64_t> memoryBytes{};  // GPU memory it holds, where the driver says
    bool operator==(const GpuClient&) const = default;
};

// One GPU of the machine. Only an awake GPU has figures; each is absent where the GPU or its
// driver does not give it.
struct GpuStatus {
    std::string id{};      // the PCI slot ("0000:01:00.0"), or the device's name off the PCI bus
    std::string name{};    // "AMD Radeon RX 6800M"
    std::string driver{};  // the kernel driver: i915, xe, amdgpu, radeon, nouveau or nvidia
    GpuKind kind = GpuKind::integrated;
    GpuState state = GpuState::active;
    std::optional<double> loadPercent{};
    // A discrete GPU's own draw; 0 while it sleeps. An integrated GPU's is part of the CPU
    // package's and is not given here.
    std::optional<double> powerWatts{};
    std::optional<double> temperature{};  // °C, its hottest sensor
    std::optional<std::uint64_t> memoryUsedBytes{};
    std::optional<std::uint64_t> memoryTotalBytes{};
    std::vector<GpuClient> clients{};  // busiest first; none while it sleeps
    bool operator==(const GpuStatus&) const = default;

    bool isAwake() const { return state != GpuState::suspended; }
    bool isDiscrete() const { return kind == GpuKind::discrete; }
};

// The power the discrete GPUs draw besides the measured package, W.
double discreteGpuWatts(const std::vector<GpuStatus>& gpus);

// Busier first, those without a figure after those with one, then by name.
bool busierFirst(std::optional<double> a, std::string_view aName, std::optional<double> b, std::string_view bName);

// A program using a GPU: the clients of its processes under one name, their use added up.
struct GpuUser {
    std::string name{};
    std::optional<double> busyPercent{};  // absent when none of its processes' use is known
};
// The programs using a GPU, busiest first (those without a figure last, by name).
std::vector<GpuUser> gpuUsers(const GpuStatus& gpu);

}  // namespace corvelle
