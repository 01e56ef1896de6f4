#include "linux/HwmonSMCTransport.h"

#include "linux/ProcStatCpuSource.h"
#include "linux/SensorText.h"
#include "linux/TextFile.h"
#include "platform/SMCKeys.h"

#include <algorithm>
#include <bit>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kFloatType = fourCharCode("flt ");

std::optional<double> readValue(const fs::path& file, std::optional<double> (*parse)(std::string_view)) {
    const auto text = TextFile::readTrimmed(file);
    return text ? parse(*text) : std::nullopt;
}

SensorChip chipOf(const HwmonDevice& device) {
    SensorChip chip{device.name, {}};
    for (const auto& temperature : device.temperatures) {
        chip.temperatures.push_back({temperature.index, temperature.label, device.temperatureFile(temperature.index)});
    }
    return chip;
}

// The float's bytes, most significant first.
void putFloat(SMCParamRecord& record, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) record.bytes[i] = static_cast<std::uint8_t>(bits >> (24 - 8 * i));
}

}  // namespace

HwmonSMCTransport::HwmonSMCTransport(fs::path root) : root_(std::move(root)) {}

SensorChoice::CoreSet HwmonSMCTransport::efficiencyCores() const {
    SensorChoice::CoreSet cores;
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

// Zones named by their type; hwmon names spell the type's '-' as '_', and so do these.
std::vector<SensorChip> HwmonSMCTransport::thermalZones() const {
    std::vector<SensorChip> zones;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ / "sys/class/thermal", error)) {
        if (!entry.path().filename().string().starts_with("thermal_zone")) continue;
        auto type = TextFile::readTrimmed(entry.path() / "type");
        if (!type) continue;
        std::replace(type->begin(), type->end(), '-', '_');
        zones.push_back({std::move(*type), {{0, "", entry.path() / "temp"}}});
    }
    return zones;
}

// Every fan input, by chip name and then device and input number, so the order survives the
// devices being numbered differently at the next boot.
void HwmonSMCTransport::mapFans(const std::vector<HwmonDevice>& devices) {
    std::vector<const HwmonDevice*> byName;
    for (const auto& device : devices) byName.push_back(&device);
    std::stable_sort(byName.begin(), byName.end(), [](const auto* a, const auto* b) { return a->name < b->name; });
    size_t next = 0;
    for (const auto* device : byName) {
        for (int fan : device->fans) {
            if (next == Constants::SMCKeys::fanSpeed.size()) return;
            // A fan's own maximum; 0 or unreadable means it has none.
            auto limit = readValue(device->fanFile(fan, "max"), SensorText::rpm);
            if (limit && *limit <= 0) limit.reset();
            keys_[fourCharCode(Constants::SMCKeys::fanSpeed[next++])] = {{device->fanFile(fan)}, SensorText::rpm, limit};
        }
    }
}

void HwmonSMCTransport::scan() {
    const auto devices = HwmonDevice::scan(root_);
    std::vector<SensorChip> chips = thermalZones();
    for (const auto& device : devices) chips.push_back(chipOf(device));
    auto choice = SensorChoice::choose(chips, efficiencyCores());

    namespace Keys = Constants::SMCKeys;
    keys_.clear();
    const auto put = [this](std::string_view key, std::vector<fs::path> files) {
        if (!files.empty()) keys_[fourCharCode(key)] = {std::move(files), SensorText::celsius, std::nullopt};
    };
    put(Keys::pCoreTemps[0], std::move(choice.cpu));
    put(Keys::eCoreTemps[0], std::move(choice.efficiencyCores));
    put(Keys::gpuTemps[0], std::move(choice.gpu));
    mapFans(devices);
}

bool HwmonSMCTransport::open() {
    scan();
    return !keys_.empty();
}

std::optional<double> HwmonSMCTransport::readKey(std::uint32_t key) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto found = keys_.find(key);
        if (found == keys_.end()) return std::nullopt;
        const KeyFiles& files = found->second;
        std::optional<double> hottest;
        bool vanished = false;
        for (const auto& file : files.files) {
            const auto value = readValue(file, files.parse);
            if (value && !(files.limit && *value > *files.limit)) {
                hottest = std::max(hottest.value_or(*value), *value);
            } else if (std::error_code error; !value && !fs::exists(file, error)) {
                vanished = true;
            }
        }
        if (!vanished) return hottest;
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
