#include "linux/SensorChoice.h"

#include "linux/TextFile.h"

#include <array>
#include <optional>
#include <string_view>

namespace corvelle::SensorChoice {
namespace {

namespace fs = std::filesystem;

// Kinds of CPU sensor, best first.
enum Rank { package, core, tdie, tctl, k10Unlabelled, k8, cpuZone, laptop, acpi, kRanks };

// The number after a label's prefix ("Core 12" -> 12).
std::optional<int> labelNumber(std::string_view label, std::string_view prefix) {
    if (!label.starts_with(prefix)) return std::nullopt;
    const auto number = TextFile::parseUnsigned(label.substr(prefix.size()));
    if (!number || *number > 1'000'000) return std::nullopt;
    return static_cast<int>(*number);
}

bool unlabelledFirst(const SensorChip::Input& input) { return input.label.empty() && input.index == 1; }

// A thermal zone (or its hwmon twin) of an ARM system: "cpu_thermal", "cpu0_thermal", "bigcore0_thermal".
bool isZoneOf(std::string_view chip, std::string_view part) {
    return chip.ends_with("_thermal") && chip.find(part) != std::string_view::npos;
}

}  // namespace

bool isGpuSensor(std::string_view chip, const SensorChip::Input& input) {
    const std::string_view label = input.label;
    if (chip == "amdgpu" || chip == "radeon" || chip == "nouveau") {
        return label == "edge" || label == "junction" || unlabelledFirst(input);
    }
    if (chip == "i915" || chip == "xe") return label != "vram" && label != "mem";
    return isZoneOf(chip, "gpu");
}

namespace {

std::optional<Rank> rankOf(std::string_view chip, const SensorChip::Input& input) {
    const std::string_view label = input.label;
    if (chip == "coretemp") {
        if (label.starts_with("Package id ")) return package;
        if (label.starts_with("Core ")) return core;
        return std::nullopt;
    }
    if (chip == "x86_pkg_temp") return package;
    if (chip == "k10temp" || chip == "zenpower") {
        if (label == "Tdie") return tdie;
        if (label == "Tctl") return tctl;
        if (unlabelledFirst(input)) return k10Unlabelled;
        return std::nullopt;  // Tccd dies and the SoC's own sensors
    }
    if (chip == "k8temp") return k8;
    if (isZoneOf(chip, "cpu") || isZoneOf(chip, "core")) return cpuZone;
    if ((chip == "thinkpad" && (label == "CPU" || unlabelledFirst(input))) || (chip == "dell_smm" && label == "CPU") ||
        (chip == "applesmc" && label.size() > 2 && label.starts_with("TC") && label[2] >= '0' && label[2] <= '9')) {
        return laptop;
    }
    if (chip == "acpitz") return acpi;
    return std::nullopt;
}

// The package a coretemp chip belongs to: its "Package id N", else its place among coretemp chips.
int coretempPackage(const SensorChip& chip, int fallback) {
    for (const auto& input : chip.temperatures) {
        if (const auto id = labelNumber(input.label, "Package id ")) return *id;
    }
    return fallback;
}

}  // namespace

Choice choose(const std::vector<SensorChip>& chips, const CoreSet& efficiencyCores) {
    Choice choice;
    std::array<std::vector<fs::path>, kRanks> ranked;
    int coretempChips = 0;
    for (const auto& chip : chips) {
        const int packageId = chip.name == "coretemp" ? coretempPackage(chip, coretempChips++) : 0;
        for (const auto& input : chip.temperatures) {
            if (isGpuSensor(chip.name, input)) {
                choice.gpu.push_back(input.file);
                continue;
            }
            const auto rank = rankOf(chip.name, input);
            if (!rank) continue;
            const auto coreId = *rank == core ? labelNumber(input.label, "Core ") : std::nullopt;
            const bool efficient = coreId && efficiencyCores.count({packageId, *coreId});
            (efficient ? choice.efficiencyCores : ranked[*rank]).push_back(input.file);
        }
    }
    // Efficiency cores alone are not a hybrid: they are simply the CPU's cores. On a hybrid the
    // CPU figure is its performance cores', beside the efficiency cores' own.
    if (ranked[core].empty()) std::swap(ranked[core], choice.efficiencyCores);
    if (!choice.efficiencyCores.empty()) {
        choice.cpu = std::move(ranked[core]);
        return choice;
    }
    for (auto& files : ranked) {
        if (files.empty()) continue;
        choice.cpu = std::move(files);
        break;
    }
    return choice;
}

}  // namespace corvelle::SensorChoice
