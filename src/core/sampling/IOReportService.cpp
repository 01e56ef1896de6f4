#include "sampling/IOReportService.h"

#include <algorithm>
#include <cctype>
#include <ranges>
#include <string>

namespace corvelle {
namespace {

struct EnergySums {
    double cpu = 0, gpu = 0, ane = 0, dram = 0, soc = 0;

    IOReportService::PowerSample watts(double elapsed) const {
        const double scale = elapsed * 1000.0;  // millijoules per second of elapsed time
        return {cpu / scale, gpu / scale, ane / scale, dram / scale, soc / scale};
    }
};

// A channel's lower-cased name and its value; absent when the value is not a named channel.
std::optional<std::pair<std::string, double>> channel(const PropertyValue& value) {
    const auto* dictionary = value.as<PropertyDictionary>();
    if (!dictionary) return std::nullopt;
    const std::string* name = stringProperty(*dictionary, "name");
    const auto energy = integerProperty(*dictionary, "value");
    if (!name || !energy) return std::nullopt;
    std::string lower = *name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::pair{lower, static_cast<double>(*energy)};
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

double* mainBucket(EnergySums& sums, const std::string& name) {
    if (contains(name, "cpu")) return &sums.cpu;
    if (contains(name, "gpu")) return &sums.gpu;
    if (contains(name, "ane")) return &sums.ane;
    if (contains(name, "dram") || contains(name, "mem")) return &sums.dram;
    if (contains(name, "soc")) return &sums.soc;
    return nullptr;
}

double* fallbackBucket(EnergySums& sums, const std::string& name) {
    if (contains(name, "cpu") && !contains(name, "gpu")) return &sums.cpu;
    if (contains(name, "gpu")) return &sums.gpu;
    if (contains(name, "ane")) return &sums.ane;
    if (contains(name, "dram") || contains(name, "mem")) return &sums.dram;
    if (contains(name, "soc")) return &sums.soc;
    return nullptr;
}

template <typename Values, typename Bucket>
IOReportService::PowerSample sumChannels(const Values& values, Bucket bucket, double elapsed) {
    EnergySums sums;
    for (const PropertyValue& value : values) {
        const auto parsed = channel(value);
        if (!parsed) continue;
        if (double* sum = bucket(sums, parsed->first)) *sum += parsed->second;
    }
    return sums.watts(elapsed);
}

}  // namespace

IOReportService::IOReportService(std::unique_ptr<EnergyReportSource> source, std::shared_ptr<const Clock> clock)
    : source_(std::move(source)), clock_(std::move(clock)) {
    setupSubscription();
}

void IOReportService::setupSubscription() {
    subscribed_ = source_ && source_->subscribe();
    if (!subscribed_) return;
    previousSample_ = source_->createSample();
    lastSampleTime_ = clock_->absoluteTime();
}

std::string IOReportService::meterName() const { return subscribed_ ? source_->meterName() : "none"; }

void IOReportService::moveWindow(std::optional<PropertyDictionary> current, double now) {
    previousSample_ = std::move(current);
    lastSampleTime_ = now;
}

std::optional<IOReportService::PowerSample> IOReportService::sample() {
    if (!subscribed_) return std::nullopt;
    auto current = source_->createSample();
    const double now = clock_->absoluteTime();
    if (!previousSample_ || !current) {
        moveWindow(std::move(current), now);
        return std::nullopt;
    }
    const auto delta = source_->createSamplesDelta(*previousSample_, *current);
    const double clockElapsed = now - lastSampleTime_;
    moveWindow(std::move(current), now);
    if (!delta) return std::nullopt;
    const double elapsed = doubleProperty(*delta, "elapsed").value_or(clockElapsed);
    if (!(elapsed > 0)) return std::nullopt;
    return parsePowerFromDelta(*delta, elapsed);
}

IOReportService::PowerSample IOReportService::parsePowerFromDelta(const PropertyDictionary& delta, double elapsed) {
    const PropertyArray* channels = arrayProperty(delta, "IOReportChannels");
    if (!channels) return parsePowerFromDeltaAlt(delta, elapsed);
    return sumChannels(*channels, mainBucket, elapsed);
}

IOReportService::PowerSample IOReportService::parsePowerFromDeltaAlt(const PropertyDictionary& delta,
                                                                     double elapsed) {
    return sumChannels(std::views::values(delta), fallbackBucket, elapsed);
}

}  // namespace corvelle
