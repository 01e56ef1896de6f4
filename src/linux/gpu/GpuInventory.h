#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// One GPU of the machine as the device tree shows it.
struct GpuDevice {
    std::string id;                 // the PCI slot ("0000:01:00.0"), or the device folder's name
    std::filesystem::path folder;   // the device's folder, symbolic links resolved
    std::string driver;             // i915, xe, amdgpu, radeon, nouveau or nvidia
    std::string name;               // "NVIDIA GeForce RTX 3050 Mobile", or the maker's "GPU"
    bool discrete = false;
    // The device files its clients open: "/dev/dri/card1", "/dev/dri/renderD128", "/dev/nvidia0".
    std::vector<std::string> nodes;
    bool operator==(const GpuDevice&) const = default;
};

// The GPUs of /sys/class/drm (and NVIDIA's driver's devices, which have no DRM node without its
// modesetting module), read without opening a file under a sleeping device: links, folder listings
// and udev's database only, and an awake AMD GPU's sensor names.
namespace GpuInventory {

// Integrated GPUs first, each kind in the order of the device folders, so that the list is the same
// from boot to boot.
std::vector<GpuDevice> scan(const std::filesystem::path& root);

// Integrated or discrete: a GPU off the PCI bus (a system-on-chip's) or on its first bus (Intel's
// and older AMD processors' graphics) is integrated; an AMD GPU elsewhere is integrated when its
// sensors include the northbridge voltage only processors with graphics have.
bool isDiscrete(std::string_view driver, std::string_view id, bool northbridgeVoltage);

// The product name in udev's record of a PCI device ("E:ID_MODEL_FROM_DATABASE=TU117M [GeForce GTX
// 1650 Mobile / Max-Q]" gives "GeForce GTX 1650 Mobile / Max-Q"), after the maker's short name.
std::string productName(std::string_view driver, std::string_view udevRecord);

}  // namespace GpuInventory
}  // namespace corvelle
