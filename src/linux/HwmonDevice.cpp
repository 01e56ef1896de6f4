#include "linux/HwmonDevice.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace corvelle {
namespace {

// N of a file named prefix + N + "_input".
std::optional<int> inputIndex(std::string_view file, std::string_view prefix) {
    constexpr std::string_view kSuffix = "_input";
    if (!file.starts_with(prefix) || !file.ends_with(kSuffix)) return std::nullopt;
    const auto number = TextFile::parseUnsigned(file.substr(prefix.size(), file.size() - prefix.size() - kSuffix.size()));
    if (!number || *number > 10'000) return std::nullopt;
    return static_cast<int>(*number);
}

std::optional<HwmonDevice> readDevice(const std::filesystem::path& directory) {
    auto name = TextFile::readTrimmed(directory / "name");
    if (!name) return std::nullopt;
    HwmonDevice device{directory, std::move(*name), {}, {}};
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const auto file = entry.path().filename().string();
        if (const auto index = inputIndex(file, "temp")) {
            device.temperatures.push_back({*index, TextFile::readTrimmed(device.temperatureFile(*index, "label")).value_or("")});
        } else if (const auto fan = inputIndex(file, "fan")) {
            device.fans.push_back(*fan);
        }
    }
    std::sort(device.temperatures.begin(), device.temperatures.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
    std::sort(device.fans.begin(), device.fans.end());
    return device;
}

}  // namespace

std::filesystem::path HwmonDevice::temperatureFile(int index, const char* suffix) const {
    return directory / ("temp" + std::to_string(index) + "_" + suffix);
}

std::filesystem::path HwmonDevice::fanFile(int index, const char* suffix) const {
    return directory / ("fan" + std::to_string(index) + "_" + suffix);
}

std::vector<HwmonDevice> HwmonDevice::scan(const std::filesystem::path& root,
                                           const std::function<bool(const std::filesystem::path&)>& skip) {
    return scanFolder(root / "sys/class/hwmon", skip);
}

std::vector<HwmonDevice> HwmonDevice::scanFolder(const std::filesystem::path& folder,
                                                 const std::function<bool(const std::filesystem::path&)>& skip) {
    std::vector<std::pair<std::uint64_t, std::filesystem::path>> numbered;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const auto file = entry.path().filename().string();
        if (!file.starts_with("hwmon")) continue;
        const auto number = TextFile::parseUnsigned(std::string_view(file).substr(5));
        if (number && !(skip && skip(entry.path()))) numbered.emplace_back(*number, entry.path());
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<HwmonDevice> devices;
    for (const auto& [number, directory] : numbered) {
        if (auto device = readDevice(directory)) devices.push_back(std::move(*device));
    }
    return devices;
}

}  // namespace corvelle
