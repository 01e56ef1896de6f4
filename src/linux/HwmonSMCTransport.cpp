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

HwmonSMCTransport::HwmonSMCTransport(fs::path root, std::shared_ptr<GpuGate> gate)
    : root_(std::move(root)), gate_(std::move(gate)) {}

fs::path HwmonSMCTransport::gpuOf(const fs::path& hwmon) const {
    if (!gate_) return {};
    std::error_code error;
    auto device = fs::canonical(hwmon / "device", error);
    return !error && gate_->guards(device) ? device : fs::path();
}

// A sleeping GPU's sensor folder is left unopened, and remembered to be listed once it wakes.
bool HwmonSMCTransport::asleep(const fs::path& hwmon) {
    auto gpu = gpuOf(hwmon);
    if (gpu.empty() || gate_->open(gpu).access != GpuGate::Access::asleep) return false;
    asleep_.push_back(std::move(gpu));
    return true;
}

void HwmonSMCTransport::rescanWhenAwake() {
    for (const auto& gpu : asleep_) {
        if (gate_->open(gpu).access != GpuGate::Access::asleep) return scan();
    }
}

std::vector<HwmonSMCTransport::Sensor> HwmonSMCTransport::sensors(std::vector<fs::path> files) const {
    std::vector<Sensor> result;
    for (auto& file : files) {
        auto gpu = gpuOf(file.parent_path());
        result.push_back({std::move(file), std::move(gpu), std::nullopt});
    }
    return result;
}

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
            keys_[fourCharCode(Constants::SMCKeys::fanSpeed[next++])] = {sensors({device->fanFile(fan)}), SensorText::rpm, limit};
        }
    }
}

void HwmonSMCTransport::scan() {
    asleep_.clear();
    const auto devices = HwmonDevice::scan(root_, [this](const fs::path& hwmon) { return asleep(hwmon); });
    std::vector<SensorChip> chips = thermalZones();
    for (const auto& device : devices) chips.push_back(chipOf(device));
    auto choice = SensorChoice::choose(chips, efficiencyCores());

    namespace Keys = Constants::SMCKeys;
    keys_.clear();
    const auto put = [this](std::string_view key, std::vector<fs::path> files) {
        if (!files.empty()) keys_[fourCharCode(key)] = {sensors(std::move(files)), SensorText::celsius, std::nullopt};
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
        KeyFiles& files = found->second;
        std::optional<double> hottest;
        bool vanished = false;
        std::map<fs::path, GpuGate::Access> gpus;  // each GPU asked once
        for (auto& sensor : files.files) {
            auto access = GpuGate::Access::read;
            if (!sensor.gpu.empty()) {
                const auto [known, added] = gpus.try_emplace(sensor.gpu);
                if (added) known->second = gate_->open(sensor.gpu).access;
                access = known->second;
            }
            if (access == GpuGate::Access::read) sensor.last = readValue(sensor.file, files.parse);
            if (access == GpuGate::Access::asleep) sensor.last.reset();
            const auto& value = sensor.last;
            if (value && !(files.limit && *value > *files.limit)) {
                hottest = std::max(hottest.value_or(*value), *value);
            } else if (std::error_code error; access == GpuGate::Access::read && !value && !fs::exists(sensor.file, error)) {
                vanished = true;
            }
        }
        if (!vanished) return hottest;
        scan();  // a device went away or was renumbered
    }
    return std::nullopt;
}

bool HwmonSMCTransport::call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) {
    // The GPU figure's type is asked once a tick, mapped or not: a GPU that slept at the scan may
    // have woken since.
    if (!asleep_.empty() && input.key == fourCharCode(Constants::SMCKeys::gpuTemps[0]) &&
        input.command == SMCParamRecord::kCommandGetKeyInfo) {
        rescanWhenAwake();
    }
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
