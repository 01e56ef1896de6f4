#include "linux/gpu/GpuGate.h"

#include "linux/TextFile.h"

#include <algorithm>

namespace corvelle {

void GpuGate::add(const std::filesystem::path& device, bool discrete) {
    const std::lock_guard lock(mutex_);
    devices_[device] = {.discrete = discrete};
}

bool GpuGate::guards(const std::filesystem::path& device) const {
    const std::lock_guard lock(mutex_);
    return devices_.count(device) > 0;
}

// The device's autosuspend delay plus a second; a negative delay (autosuspend turned off) or
// none at all leaves the least one assumed.
double GpuGate::quietInterval(const std::filesystem::path& device) const {
    const auto text = TextFile::readTrimmed(device / "power/autosuspend_delay_ms");
    const auto milliseconds = text ? TextFile::parseSigned(*text) : std::nullopt;
    const double delay = milliseconds && *milliseconds > 0 ? static_cast<double>(*milliseconds) / 1000 : 0;
    return std::min(std::max(delay, kLeastDelay), 3600.0) + 1;
}

GpuGate::Verdict GpuGate::open(const std::filesystem::path& device) {
    const auto status = RuntimePm::read(device);
    const std::lock_guard lock(mutex_);
    const auto found = devices_.find(device);
    if (!RuntimePm::mayRead(status)) {
        // Awake again, it is read at once: whoever woke it uses it.
        if (found != devices_.end()) found->second.bursting = false;
        return {Access::asleep, status};
    }
    if (found == devices_.end() || !found->second.discrete || status == RuntimePm::Status::alwaysOn) {
        return {Access::read, status};
    }
    Device& gpu = found->second;
    const double now = clock_->uptime();
    if (gpu.bursting && now < gpu.burstEnd) return {Access::read, status};
    if (gpu.bursting && now < gpu.nextBurst) return {Access::quiet, status};
    gpu.bursting = true;
    gpu.burstEnd = now + kBurst;
    gpu.nextBurst = now + quietInterval(device);
    return {Access::read, status};
}

}  // namespace corvelle
