#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// What the kernel says of one DRM client in /proc/PID/fdinfo/FD: the client's identity and its
// counters, in the keys of the kernel's DRM usage statistics (drm-engine-*, drm-cycles-*,
// drm-total-cycles-*, drm-engine-capacity-*, drm-client-id, drm-pdev) or, before kernel 5.19,
// amdgpu's own keys (pasid, pdev, "gfx0: 12.34%").
struct DrmFdinfo {
    // One engine class's counters; each is absent where the driver does not give it.
    struct Engine {
        std::optional<std::uint64_t> busyNanoseconds;
        std::optional<std::uint64_t> cycles;
        std::optional<std::uint64_t> totalCycles;
        std::optional<double> percent;  // amdgpu before 5.19: its recent share, already a percentage
        std::uint64_t capacity = 1;      // identical engines the class stands for
        bool operator==(const Engine&) const = default;
    };

    std::string driver;
    std::string pdev;                       // the PCI slot, where given
    std::optional<std::uint64_t> clientId;  // unique per device; duplicated descriptors share it
    std::map<std::string, Engine> engines;
    std::optional<std::uint64_t> vramBytes;  // resident in the GPU's own memory
    bool operator==(const DrmFdinfo&) const = default;

    // Absent for a file that is no DRM client's (a descriptor number now used for another file)
    // or has none of the counters.
    static std::optional<DrmFdinfo> parse(std::string_view text);
};

}  // namespace corvelle
