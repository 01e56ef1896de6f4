#pragma once

#include "platform/EnergyReportSource.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvelle {

// The processor's own meter on an AMD APU. The integrated GPU's amdgpu hwmon chip reports the
// socket power of the whole chip (CPU, GPU and the rest of the SoC) in µW as a power input
// labelled "PPT" ("slowPPT" on chips that also have a fast limit); any user may read it. The
// integrated GPU is the amdgpu chip with a northbridge voltage ("vddnb"): a discrete GPU's power
// is its own board's, not the processor's. A sleeping device is never read.
//
// The meter gives power, not energy: a delta states the latest reading as the energy of one
// second ("elapsed" 1), on a channel named "SoC Energy".
class ApuPowerMeter : public EnergyReportSource {
public:
    // What an hwmon chip offers: its name, the labels of its voltage inputs and, by N, of its
    // power inputs.
    struct Chip {
        std::string name;
        std::vector<std::string> voltageLabels;
        std::vector<std::pair<int, std::string>> powerLabels;
    };

    explicit ApuPowerMeter(std::filesystem::path root = "/");

    bool subscribe() override;
    std::optional<PropertyDictionary> createSample() override;
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override;
    std::string meterName() const override { return meter_; }

    // N of the chip's power input that measures the whole package; absent when the chip is not
    // an APU's GPU or labels no such input.
    static std::optional<int> packagePower(const Chip& chip);
    // Watts of a power file's µW. Absent for 0 (no reading), below 0.1 W (no whole chip draws so
    // little: the firmware counts in another unit) and beyond 1 kW.
    static std::optional<double> watts(std::string_view microwatts);

private:
    std::filesystem::path root_;
    std::filesystem::path device_;               // the GPU's device folder
    std::vector<std::filesystem::path> inputs_;  // powerN_average, then powerN_input
    std::string meter_ = "none";
    std::string text_;
};

}  // namespace corvelle
