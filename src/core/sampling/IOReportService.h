#pragma once

#include "platform/Clock.h"
#include "platform/EnergyReportSource.h"

#include <memory>
#include <optional>

namespace corvelle {

// Average power of the CPU, GPU, neural engine and memory between consecutive samples of the
// machine's energy counters.
class IOReportService {
public:
    struct PowerSample {
        double cpuWatts = 0;
        double gpuWatts = 0;
        double aneWatts = 0;
        double dramWatts = 0;
        bool operator==(const PowerSample&) const = default;
    };

    // Subscribes at once and takes the first sample; a null source or a failed subscription
    // leaves the service without subscription for good.
    IOReportService(std::unique_ptr<EnergyReportSource> source, std::shared_ptr<const Clock> clock);

    bool isSubscribed() const { return subscribed_; }
    // Power since the previous call (or since construction). Absent without subscription,
    // when the counters cannot be sampled or compared, or when no time has passed.
    std::optional<PowerSample> sample();

    // Sums the delta's "IOReportChannels" by channel name; without such an array, falls back
    // to parsePowerFromDeltaAlt.
    static PowerSample parsePowerFromDelta(const PropertyDictionary& delta, double elapsed);
    // Treats every value of the delta itself as a channel. A name with both "cpu" and "gpu"
    // counts as GPU here, as CPU in parsePowerFromDelta.
    static PowerSample parsePowerFromDeltaAlt(const PropertyDictionary& delta, double elapsed);

private:
    void setupSubscription();
    void moveWindow(std::optional<PropertyDictionary> current, double now);

    std::unique_ptr<EnergyReportSource> source_;
    std::shared_ptr<const Clock> clock_;
    bool subscribed_ = false;
    std::optional<PropertyDictionary> previousSample_;
    double lastSampleTime_ = 0;
};

}  // namespace corvelle
