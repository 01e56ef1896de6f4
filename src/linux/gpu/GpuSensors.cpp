#include "linux/gpu/GpuSensors.h"

#include "linux/SensorChoice.h"
#include "linux/SensorText.h"
#include "linux/TextFile.h"

#include <algorithm>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// More than any graphics card draws: a larger figure is a misreading.
constexpr double kMostWatts = 2000;

std::optional<std::uint64_t> counter(const fs::path& file) {
    const auto text = TextFile::readTrimmed(file);
    return text ? TextFile::parseUnsigned(*text) : std::nullopt;
}

std::optional<double> watts(std::uint64_t microwatts) {
    const double value = static_cast<double>(microwatts) / 1e6;
    return value <= kMostWatts ? std::optional(value) : std::nullopt;
}

// The energy counter of a chip: the one labelled "card" where the driver also counts the package.
std::optional<fs::path> energyFile(const fs::path& chip) {
    std::optional<fs::path> first;
    for (int index = 1; index <= 4; ++index) {
        const auto file = chip / ("energy" + std::to_string(index) + "_input");
        if (std::error_code error; !fs::exists(file, error)) continue;
        if (TextFile::readTrimmed(chip / ("energy" + std::to_string(index) + "_label")) == "card") return file;
        if (!first) first = file;
    }
    return first;
}

}  // namespace

void GpuSensors::locate() {
    located_ = true;
    const auto chips = HwmonDevice::scanFolder(device_ / "hwmon");
    for (const char* name : {"gpu_busy_percent", "mem_info_vram_used", "mem_info_vram_total"}) {
        if (std::error_code error; fs::exists(device_ / name, error)) amdgpuFiles_.push_back(device_ / name);
    }
    for (const auto& chip : chips) {
        for (const auto& input : chip.temperatures) {
            auto file = chip.temperatureFile(input.index);
            const bool own = SensorChoice::isGpuSensor(chip.name, {input.index, input.label, file});
            if (own) temperatureFiles_.push_back(std::move(file));
        }
        for (const char* name : {"power1_average", "power1_input"}) {
            if (std::error_code error; fs::exists(chip.directory / name, error)) powerFiles_.push_back(chip.directory / name);
        }
        if (!energy_) {
            if (auto file = energyFile(chip.directory)) energy_ = Energy{std::move(*file)};
        }
    }
}

std::optional<double> GpuSensors::power(double now) {
    for (const auto& file : powerFiles_) {
        if (const auto microwatts = counter(file)) return watts(*microwatts);
    }
    if (!energy_) return std::nullopt;
    const auto microjoules = counter(energy_->file);
    if (!microjoules) return std::nullopt;
    std::optional<double> result;
    const double elapsed = now - energy_->time;
    // A counter that went back (wrapped, or the driver reset it) starts over.
    if (energy_->counted && elapsed > 0 && *microjoules >= energy_->microjoules) {
        result = watts(static_cast<std::uint64_t>(static_cast<double>(*microjoules - energy_->microjoules) / elapsed));
    }
    *energy_ = {energy_->file, *microjoules, now, true};
    return result;
}

std::optional<double> GpuSensors::temperature() const {
    std::optional<double> hottest;
    for (const auto& file : temperatureFiles_) {
        const auto text = TextFile::readTrimmed(file);
        if (const auto value = text ? SensorText::celsius(*text) : std::nullopt) {
            hottest = std::max(hottest.value_or(*value), *value);
        }
    }
    return hottest;
}

GpuFigures GpuSensors::read(bool discrete, bool details, double now) {
    if (!located_) locate();
    GpuFigures figures;
    // An integrated GPU's power is part of the processor package's.
    if (discrete) figures.powerWatts = power(now);
    if (!details) return figures;
    figures.temperature = temperature();
    for (const auto& file : amdgpuFiles_) {
        const auto value = counter(file);
        if (file.filename() == "gpu_busy_percent") {
            if (value && *value <= 100) figures.loadPercent = static_cast<double>(*value);
        } else {
            (file.filename() == "mem_info_vram_used" ? figures.memoryUsedBytes : figures.memoryTotalBytes) = value;
        }
    }
    if (figures.memoryUsedBytes && figures.memoryTotalBytes && *figures.memoryUsedBytes > *figures.memoryTotalBytes) {
        figures.memoryUsedBytes.reset();
    }
    return figures;
}

}  // namespace corvelle
