#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvelle {

// One chip's temperature inputs: a hwmon device, or a thermal zone with a single input.
struct SensorChip {
    struct Input {
        int index = 0;      // N of tempN_input; 0 for a thermal zone
        std::string label;  // tempN_label, empty when there is none
        std::filesystem::path file;
    };
    std::string name;  // hwmon name, or the zone's type with '-' read as '_'
    std::vector<Input> temperatures;
};

// Which of the machine's temperature sensors stand for the CPU, the efficiency cores of a hybrid
// CPU and the GPU. Each figure is the hottest of its files at reading time, never a mean.
namespace SensorChoice {

struct Choice {
    std::vector<std::filesystem::path> cpu;              // the CPU; on a hybrid its performance cores
    std::vector<std::filesystem::path> efficiencyCores;  // only on a hybrid CPU
    std::vector<std::filesystem::path> gpu;
    bool operator==(const Choice&) const = default;
};

// Efficiency cores as (package id, core id).
using CoreSet = std::set<std::pair<int, int>>;

// On a hybrid CPU the coretemp cores split into performance and efficiency cores. Otherwise
// the CPU comes from the best kind of sensor the machine has, in this order: coretemp packages
// (or the x86_pkg_temp zone), coretemp cores, AMD Tdie, Tctl, k10temp's unlabelled temp1, k8temp,
// a CPU thermal zone (ARM), a laptop controller's CPU sensor (thinkpad, dell_smm, applesmc), and
// the ACPI zone last. Drives, Wi-Fi, batteries and chipsets never count.
Choice choose(const std::vector<SensorChip>& chips, const CoreSet& efficiencyCores);

// Whether an input of a chip is one of a GPU's own temperatures: amdgpu's, radeon's and nouveau's
// edge and junction (or their single unlabelled sensor), any of i915's and xe's but memory, a GPU
// thermal zone. The GPU figure is the hottest of them.
bool isGpuSensor(std::string_view chip, const SensorChip::Input& input);

}  // namespace SensorChoice
}  // namespace corvelle
