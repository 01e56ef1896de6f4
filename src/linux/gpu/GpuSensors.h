#pragma once

#include "linux/HwmonDevice.h"
#include "linux/gpu/GpuFigures.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace corvelle {

// What a GPU tells under its device folder: the hottest of its own temperature sensors (the rule
// of the machine's GPU figure), the power a discrete GPU draws (hwmon power1_average or
// power1_input, else its energy counter between two reads, the card's where the driver counts card
// and package apart), amdgpu's busy percentage and video memory in use. Read only when the GPU's
// gate allows; its sensors are listed at the first read.
class GpuSensors {
public:
    explicit GpuSensors(std::filesystem::path device) : device_(std::move(device)) {}

    // `details`: the load, temperature and memory besides a discrete GPU's power. `now` in seconds.
    GpuFigures read(bool discrete, bool details, double now);

private:
    struct Energy {
        std::filesystem::path file;
        std::uint64_t microjoules = 0;
        double time = 0;
        bool counted = false;  // there was a previous reading
    };

    void locate();
    std::optional<double> power(double now);
    std::optional<double> temperature() const;

    std::filesystem::path device_;
    bool located_ = false;
    std::vector<std::filesystem::path> temperatureFiles_;  // the GPU's own sensors, chosen once
    std::vector<std::filesystem::path> powerFiles_;  // µW, the first readable one counts
    std::optional<Energy> energy_;
    // amdgpu's: the load and the video memory used and installed, where the device has them.
    std::vector<std::filesystem::path> amdgpuFiles_;
};

}  // namespace corvelle
