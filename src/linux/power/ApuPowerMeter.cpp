#include "linux/power/ApuPowerMeter.h"

#include "linux/gpu/RuntimePm.h"
#include "linux/TextFile.h"

#include <algorithm>
#include <cmath>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// N of a file named prefix + N + "_label".
std::optional<int> labelIndex(std::string_view file, std::string_view prefix) {
    constexpr std::string_view kSuffix = "_label";
    if (!file.starts_with(prefix) || !file.ends_with(kSuffix)) return std::nullopt;
    const auto number = TextFile::parseUnsigned(file.substr(prefix.size(), file.size() - prefix.size() - kSuffix.size()));
    if (!number || *number > 99) return std::nullopt;
    return static_cast<int>(*number);
}

// The chip's labels; read only while its device is awake.
ApuPowerMeter::Chip readChip(const fs::path& folder, std::string name) {
    ApuPowerMeter::Chip chip{std::move(name), {}, {}};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const auto file = entry.path().filename().string();
        if (labelIndex(file, "in")) {
            chip.voltageLabels.push_back(TextFile::readTrimmed(entry.path()).value_or(""));
        } else if (const auto power = labelIndex(file, "power")) {
            chip.powerLabels.emplace_back(*power, TextFile::readTrimmed(entry.path()).value_or(""));
        }
    }
    std::sort(chip.powerLabels.begin(), chip.powerLabels.end());
    return chip;
}

}  // namespace

ApuPowerMeter::ApuPowerMeter(fs::path root) : root_(std::move(root)) {}

std::optional<int> ApuPowerMeter::packagePower(const Chip& chip) {
    const auto& voltages = chip.voltageLabels;
    if (chip.name != "amdgpu" || std::find(voltages.begin(), voltages.end(), "vddnb") == voltages.end()) {
        return std::nullopt;
    }
    for (const auto& [index, label] : chip.powerLabels) {
        if (label == "PPT" || label == "slowPPT") return index;
    }
    return std::nullopt;
}

std::optional<double> ApuPowerMeter::watts(std::string_view microwatts) {
    const auto value = TextFile::parseUnsigned(microwatts);
    if (!value) return std::nullopt;
    const double result = static_cast<double>(*value) / 1e6;
    if (result < 0.1 || result > 1000) return std::nullopt;
    return result;
}

bool ApuPowerMeter::subscribe() {
    std::vector<fs::path> chips;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ / "sys/class/hwmon", error)) chips.push_back(entry.path());
    std::sort(chips.begin(), chips.end());
    for (const auto& folder : chips) {
        // Nothing under a sleeping device is read, not even the chip's name.
        if (!RuntimePm::mayRead(folder / "device")) continue;
        const auto name = TextFile::readTrimmed(folder / "name");
        if (name != "amdgpu") continue;
        if (const auto index = packagePower(readChip(folder, *name))) {
            const std::string power = "power" + std::to_string(*index);
            device_ = folder / "device";
            inputs_ = {folder / (power + "_average"), folder / (power + "_input")};
            meter_ = "apu";
            return true;
        }
    }
    return false;
}

std::optional<PropertyDictionary> ApuPowerMeter::createSample() {
    if (inputs_.empty() || !RuntimePm::mayRead(device_)) return std::nullopt;
    for (const auto& input : inputs_) {
        const auto power = TextFile::read(input, text_) ? watts(text_) : std::nullopt;
        if (power) return PropertyDictionary{{"meter", "apu"}, {"milliwatts", std::llround(*power * 1000)}};
    }
    return std::nullopt;
}

std::optional<PropertyDictionary> ApuPowerMeter::createSamplesDelta(const PropertyDictionary& previous,
                                                                    const PropertyDictionary& current) {
    const auto milliwatts = integerProperty(current, "milliwatts");
    if (!milliwatts || !integerProperty(previous, "milliwatts")) return std::nullopt;
    PropertyArray channels{PropertyDictionary{{"name", "SoC Energy"}, {"value", *milliwatts}}};
    return PropertyDictionary{{"IOReportChannels", std::move(channels)}, {"elapsed", 1.0}};
}

}  // namespace corvelle
