#pragma once

#include "platform/PropertyDictionary.h"

#include <optional>
#include <string>

namespace corvelle {

// Cumulative energy counters of the machine's power domains. A sample is an opaque snapshot
// of the counters; the delta of two samples is a dictionary whose "IOReportChannels" array
// holds one dictionary per channel: "name" (text) and "value" (integer, millijoules used
// between the two samples). When the source knows better than its caller how far apart the two
// samples were taken (a copy of the counters that another process published), the delta also
// holds "elapsed" (double, seconds).
class EnergyReportSource {
public:
    virtual ~EnergyReportSource() = default;
    // Sets up the subscription to the energy channels; false when there are none to read.
    virtual bool subscribe() = 0;
    virtual std::optional<PropertyDictionary> createSample() = 0;
    virtual std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                                 const PropertyDictionary& current) = 0;
    // The meter the latest sample came from, by the raw names of PowerMeter: "sysfs", "service"
    // or "apu"; "locked" when the counters exist but could not be read, "none" without any.
    virtual std::string meterName() const = 0;
};

}  // namespace corvelle
