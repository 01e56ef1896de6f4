#include "linux/gpu/GpuInventory.h"

#include "linux/TextFile.h"
#include "linux/gpu/RuntimePm.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace corvelle::GpuInventory {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 6> kDrivers{"i915", "xe", "amdgpu", "radeon", "nouveau", "nvidia"};

std::string_view maker(std::string_view driver) {
    if (driver == "i915" || driver == "xe") return "Intel";
    if (driver == "amdgpu" || driver == "radeon") return "AMD";
    return "NVIDIA";
}

bool digitsAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "dddd:bb:dd.f" in hexadecimal.
bool isPciSlot(std::string_view id) {
    if (id.size() != 12 || id[4] != ':' || id[7] != ':' || id[10] != '.') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11}) {
        if (!std::isxdigit(static_cast<unsigned char>(id[i]))) return false;
    }
    return true;
}

std::optional<std::string> driverOf(const fs::path& device) {
    std::error_code error;
    const auto link = fs::read_symlink(device / "driver", error);
    if (error) return std::nullopt;
    auto name = link.filename().string();
    if (std::find(kDrivers.begin(), kDrivers.end(), name) == kDrivers.end()) return std::nullopt;
    return name;
}

// An AMD GPU that is awake lists its sensors; one that sleeps is discrete (processor graphics never
// sleeps while the machine runs).
bool hasNorthbridgeVoltage(const fs::path& device) {
    if (!RuntimePm::mayRead(device)) return false;
    std::error_code error;
    for (const auto& chip : fs::directory_iterator(device / "hwmon", error)) {
        if (fs::exists(chip.path() / "in1_input", error)) return true;
    }
    return false;
}

struct Found {
    std::string driver;
    std::vector<std::string> nodes;
};

// Device folders of the DRM nodes, with the node names.
void addDrmNodes(const fs::path& root, std::map<fs::path, Found>& found) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / "sys/class/drm", error)) {
        const auto node = entry.path().filename().string();
        if (!digitsAfter(node, "card") && !digitsAfter(node, "renderD")) continue;
        const auto device = fs::canonical(entry.path() / "device", error);
        if (error) continue;
        const auto driver = driverOf(device);
        if (!driver) continue;
        auto& gpu = found[device];
        gpu.driver = *driver;
        gpu.nodes.push_back("/dev/dri/" + node);
    }
}

// NVIDIA's driver without its modesetting module has no DRM node; its devices are those bound to
// it, and their device files are numbered in the order of their slots.
void addNvidiaDevices(const fs::path& root, std::map<fs::path, Found>& found) {
    std::vector<fs::path> devices;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / "sys/bus/pci/drivers/nvidia", error)) {
        if (!isPciSlot(entry.path().filename().string())) continue;
        auto device = fs::canonical(entry.path(), error);
        if (!error) devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    for (size_t minor = 0; minor < devices.size(); ++minor) {
        auto& gpu = found[devices[minor]];
        gpu.driver = "nvidia";
        gpu.nodes.push_back("/dev/nvidia" + std::to_string(minor));
    }
}

}  // namespace

bool isDiscrete(std::string_view driver, std::string_view id, bool northbridgeVoltage) {
    if (!isPciSlot(id) || id.substr(5, 2) == "00") return false;
    if (driver == "amdgpu" || driver == "radeon") return !northbridgeVoltage;
    return true;
}

std::string productName(std::string_view driver, std::string_view udevRecord) {
    constexpr std::string_view kModel = "E:ID_MODEL_FROM_DATABASE=";
    std::string_view model;
    TextFile::forEachLine(udevRecord, [&](std::string_view line) {
        if (line.starts_with(kModel)) model = TextFile::trim(line.substr(kModel.size()));
    });
    // The marketing name is the bracketed part after the chip's code name.
    if (const auto open = model.rfind('['); open != std::string_view::npos && model.ends_with(']')) {
        model = TextFile::trim(model.substr(open + 1, model.size() - open - 2));
    }
    return std::string(maker(driver)) + ' ' + std::string(model.empty() ? "GPU" : model);
}

std::vector<GpuDevice> scan(const fs::path& root) {
    std::map<fs::path, Found> found;
    addDrmNodes(root, found);
    addNvidiaDevices(root, found);
    std::vector<GpuDevice> gpus;
    for (auto& [folder, gpu] : found) {
        GpuDevice device{folder.filename().string(), folder, gpu.driver, {}, false, std::move(gpu.nodes)};
        std::sort(device.nodes.begin(), device.nodes.end());
        const bool amd = device.driver == "amdgpu" || device.driver == "radeon";
        device.discrete = isDiscrete(device.driver, device.id, amd && hasNorthbridgeVoltage(folder));
        std::string record;
        TextFile::read(root / "run/udev/data" / ("+pci:" + device.id), record);
        device.name = productName(device.driver, record);
        gpus.push_back(std::move(device));
    }
    // Integrated first, as a panel lists them.
    std::stable_sort(gpus.begin(), gpus.end(), [](const GpuDevice& a, const GpuDevice& b) { return !a.discrete && b.discrete; });
    return gpus;
}

}  // namespace corvelle::GpuInventory
