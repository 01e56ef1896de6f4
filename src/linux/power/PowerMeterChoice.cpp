#include "linux/power/PowerMeterChoice.h"

namespace corvelle {

bool PowerMeterChoice::subscribe() {
    hasRapl_ = rapl_.subscribe();
    hasApu_ = apu_.subscribe();
    meter_ = hasRapl_ ? rapl_.meterName() : hasApu_ ? apu_.meterName() : "none";
    return hasRapl_ || hasApu_;
}

std::optional<PropertyDictionary> PowerMeterChoice::createSample() {
    if (hasRapl_) {
        if (auto sample = rapl_.createSample()) {
            meter_ = rapl_.meterName();
            return sample;
        }
    }
    if (hasApu_) {
        if (auto sample = apu_.createSample()) {
            meter_ = apu_.meterName();
            return sample;
        }
    }
    // Counters that only the power service could read, or none at all.
    meter_ = hasRapl_ ? rapl_.meterName() : "none";
    return std::nullopt;
}

std::optional<PropertyDictionary> PowerMeterChoice::createSamplesDelta(const PropertyDictionary& previous,
                                                                       const PropertyDictionary& current) {
    const std::string* before = stringProperty(previous, "meter");
    const std::string* after = stringProperty(current, "meter");
    if (!before || !after || *before != *after) return std::nullopt;
    return *after == "apu" ? apu_.createSamplesDelta(previous, current) : rapl_.createSamplesDelta(previous, current);
}

}  // namespace corvelle
