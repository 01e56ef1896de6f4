#pragma once

#include "platform/Clock.h"
#include "platform/EnergyReportSource.h"

#include <memory>
#include <optional>
#include <string>

namespace corvelle {

// Average power of the CPU, GPU, neural engine and memory between consecutive samples of the
// machine's energy counters, and of the whole processor package where a meter measures only that.
class IOReportService {
public:
    struct PowerSample {
        double cpuWatts = 0;
        double gpuWatts = 0;
        double aneWatts = 0;
        double dramWatts = 0;
        double socWatts = 0;  // the package as a whole; the CPU, GPU and neural engine are parts of it
        bool operator==(const PowerSample&) const = default;
    };

    // Subscribes at once and takes the first sample; a null source or a failed subscription
    // leaves the service without subscription for good.
    IOReportService(std::unique_ptr<EnergyReportSource> source, std::shared_ptr<const Clock> clock);

    bool isSubscribed() const { return subscribed_; }
    // The source's name of the meter its latest sample came from; "none" without subscription.
    std::string meterName() const;
    // Power since the previous call (or since construction). Absent without subscription,
    // when the counters cannot be sampled or compared, or when no time has passed. The time
    // passed is the delta's "elapsed" when the source gives it, else the clock's.
    std::optional<PowerSample> sample();

    // Sums the delta's "IOReportChannels" by channel name ("soc" names the whole package);
    // without such an array, falls back to parsePowerFromDeltaAlt.
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
