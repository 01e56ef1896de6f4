#include "linux/HwmonSMCTransport.h"

#include "linux/ProcStatCpuSource.h"
#include "linux/SensorText.h"
#include "linux/TextFile.h"
#include "platform/SMCKeys.h"

#include <algorithm>
#include <bit>
#include <span>
#include <string_view>

namespace corvelle {
namespace {

constexpr std::uint32_t kFloatType = fourCharCode("flt ");

enum class Group { eCore, pCore, gpu, none };

bool isGpuDriver(std::string_view name) {
    return name == "amdgpu" || name == "radeon" || name == "nouveau" || name == "i915" || name == "xe";
}

// The number after a label's prefix ("Core 12" -> 12).
std::optional<int> labelNumber(std::string_view label, std::string_view prefix) {
    if (!label.starts_with(prefix)) return std::nullopt;
    const auto number = TextFile::parseUnsigned(label.substr(prefix.size()));
    if (!number || *number > 1'000'000) return std::nullopt;
    return static_cast<int>(*number);
}

int coretempPackage(const HwmonDevice& device, int fallback) {
    for (const auto& temperature : device.temperatures) {
        if (const auto package = labelNumber(temperature.label, "Package id ")) return *package;
    }
    return fallback;
}

Group groupOf(const HwmonDevice& device, const HwmonDevice::Temperature& temperature, int package,
              const HwmonSMCTransport::CoreSet& efficiencyCores) {
    const std::string_view label = temperature.label;
    if (device.name == "coretemp") {
        const auto core = labelNumber(label, "Core ");
        if (!core) return Group::none;
        return efficiencyCores.count({package, *core}) ? Group::eCore : Group::pCore;
    }
    if (device.name == "k10temp") return label == "Tctl" || label.starts_with("Tccd") ? Group::pCore : Group::none;
    if (isGpuDriver(device.name) && (label == "edge" || (label.empty() && temperature.index == 1))) return Group::gpu;
    return Group::none;
}

void deal(HwmonSMCTransport::KeyMap& keys, std::span<const std::string_view> names,
          const std::vector<std::filesystem::path>& files, std::optional<double> (*parse)(std::string_view)) {
    for (size_t i = 0; i < files.size() && !names.empty(); ++i) {
        auto& key = keys[fourCharCode(names[i % names.size()])];
        key.files.push_back(files[i]);
        key.parse = parse;
    }
}

// The float's bytes, most significant first.
void putFloat(SMCParamRecord& record, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) record.bytes[i] = static_cast<std::uint8_t>(bits >> (24 - 8 * i));
}

}  // namespace

HwmonSMCTransport::HwmonSMCTransport(std::filesystem::path root) : root_(std::move(root)) {}

HwmonSMCTransport::KeyMap HwmonSMCTransport::mapKeys(const std::vector<HwmonDevice>& devices,
                                                     const CoreSet& efficiencyCores) {
    std::vector<std::filesystem::path> groups[3], fans;
    int coretempDevices = 0;
    for (const auto& device : devices) {
        const int package = device.name == "coretemp" ? coretempPackage(device, coretempDevices++) : 0;
        for (const auto& temperature : device.temperatures) {
            const Group group = groupOf(device, temperature, package, efficiencyCores);
            if (group != Group::none) groups[static_cast<int>(group)].push_back(device.temperatureFile(temperature.index));
        }
        for (int fan : device.fans) fans.push_back(device.fanFile(fan));
    }
    namespace Keys = Constants::SMCKeys;
    KeyMap keys;
    deal(keys, Keys::eCoreTemps, groups[static_cast<int>(Group::eCore)], SensorText::celsius);
    deal(keys, Keys::pCoreTemps, groups[static_cast<int>(Group::pCore)], SensorText::celsius);
    deal(keys, Keys::gpuTemps, groups[static_cast<int>(Group::gpu)], SensorText::celsius);
    fans.resize(std::min(fans.size(), Keys::fanSpeed.size()));
    deal(keys, Keys::fanSpeed, fans, SensorText::rpm);
    return keys;
}

HwmonSMCTransport::CoreSet HwmonSMCTransport::efficiencyCores() const {
    CoreSet cores;
    for (int cpu : ProcStatCpuSource(root_).efficiencyCpus()) {
        const auto topology = root_ / "sys/devices/system/cpu" / ("cpu" + std::to_string(cpu)) / "topology";
        const auto package = TextFile::readTrimmed(topology / "physical_package_id");
        const auto core = TextFile::readTrimmed(topology / "core_id");
        const auto packageId = package ? TextFile::parseSigned(*package) : std::nullopt;
        const auto coreId = core ? TextFile::parseSigned(*core) : std::nullopt;
        if (packageId && coreId) cores.emplace(static_cast<int>(*packageId), static_cast<int>(*coreId));
    }
    return cores;
}

void HwmonSMCTransport::scan() { keys_ = mapKeys(HwmonDevice::scan(root_), efficiencyCores()); }

bool HwmonSMCTransport::open() {
    scan();
    return !keys_.empty();
}

std::optional<double> HwmonSMCTransport::readKey(std::uint32_t key) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto found = keys_.find(key);
        if (found == keys_.end()) return std::nullopt;
        double sum = 0;
        int count = 0;
        bool vanished = false;
        for (const auto& file : found->second.files) {
            const auto text = TextFile::readTrimmed(file);
            const auto value = text ? found->second.parse(*text) : std::nullopt;
            if (value) {
                sum += *value;
                ++count;
            } else if (std::error_code error; !std::filesystem::exists(file, error)) {
                vanished = true;
            }
        }
        if (!vanished) return count > 0 ? std::optional(sum / count) : std::nullopt;
        scan();  // a device went away or was renumbered
    }
    return std::nullopt;
}

bool HwmonSMCTransport::call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) {
    if (selector != kSelector || !keys_.count(input.key)) return false;
    output = SMCParamRecord{};
    output.key = input.key;
    output.dataSize = 4;
    output.dataType = kFloatType;
    if (input.command == SMCParamRecord::kCommandGetKeyInfo) return true;
    if (input.command != SMCParamRecord::kCommandReadKey) return false;
    const auto value = readKey(input.key);
    if (!value) return false;
    putFloat(output, static_cast<float>(*value));
    return true;
}

}  // namespace corvelle
