#pragma once

#include "platform/PropertyDictionary.h"

#include <optional>

namespace corvelle {

// Cumulative energy counters of the machine's power domains. A sample is an opaque snapshot
// of the counters; the delta of two samples is a dictionary whose "IOReportChannels" array
// holds one dictionary per channel: "name" (text) and "value" (integer, millijoules used
// between the two samples).
class EnergyReportSource {
public:
    virtual ~EnergyReportSource() = default;
    // Sets up the subscription to the energy channels; false when there are none to read.
    virtual bool subscribe() = 0;
    virtual std::optional<PropertyDictionary> createSample() = 0;
    virtual std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                                 const PropertyDictionary& current) = 0;
};

}  // namespace corvelle
