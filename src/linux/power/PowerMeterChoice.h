#pragma once

#include "linux/power/ApuPowerMeter.h"
#include "linux/power/RaplEnergySource.h"
#include "platform/EnergyReportSource.h"

#include <filesystem>
#include <optional>
#include <string>

namespace corvelle {

// The machine's power meter, chosen afresh at every sample: the RAPL counters (read directly, or
// the power service's copy of them), else an AMD APU's own meter of its package. A sample of one
// is never compared with a sample of the other.
class PowerMeterChoice : public EnergyReportSource {
public:
    explicit PowerMeterChoice(const std::filesystem::path& root = "/") : rapl_(root), apu_(root) {}

    bool subscribe() override;
    std::optional<PropertyDictionary> createSample() override;
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override;
    std::string meterName() const override { return meter_; }

private:
    RaplEnergySource rapl_;
    ApuPowerMeter apu_;
    bool hasRapl_ = false;
    bool hasApu_ = false;
    std::string meter_ = "none";
};

}  // namespace corvelle
