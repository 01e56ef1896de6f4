#include "linux/gpu/GpuGate.h"

#include "linux/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace corvelle {

GpuGate::~GpuGate() {
    for (const auto& [device, gpu] : devices_) {
        if (gpu.status >= 0) close(gpu.status);
    }
}

void GpuGate::add(const std::filesystem::path& device, bool discrete) {
    const std::lock_guard lock(mutex_);
    Device& gpu = devices_[device];
    if (gpu.status >= 0) close(gpu.status);
    gpu = {.discrete = discrete,
           .status = ::open((device / "power/runtime_status").c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK),
           .control = device / "power/control"};
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

// The runtime status at every call; power/control, which tells an awake GPU that manages its power
// from one that never sleeps, only once in a while.
RuntimePm::Status GpuGate::statusOf(Device& gpu, double now) {
    std::array<char, 32> text;
    const ssize_t size = gpu.status >= 0 ? pread(gpu.status, text.data(), text.size(), 0) : -1;
    const auto status = size > 0 ? std::optional(TextFile::trim({text.data(), static_cast<size_t>(size)})) : std::nullopt;
    if (status != "active") return RuntimePm::parse(status, {});
    if (now - gpu.controlRead >= kControlAge) {
        gpu.controlText = TextFile::readTrimmed(gpu.control).value_or("");
        gpu.controlRead = now;
    }
    return RuntimePm::parse(status, gpu.controlText);
}

GpuGate::Verdict GpuGate::open(const std::filesystem::path& device) {
    const std::lock_guard lock(mutex_);
    const auto found = devices_.find(device);
    if (found == devices_.end()) return {Access::read, RuntimePm::read(device)};
    Device& gpu = found->second;
    const double now = clock_->uptime();
    const auto status = statusOf(gpu, now);
    if (!RuntimePm::mayRead(status)) {
        // Awake again, it is read at once: whoever woke it uses it.
        gpu.bursting = false;
        return {Access::asleep, status};
    }
    if (!gpu.discrete || status == RuntimePm::Status::alwaysOn) return {Access::read, status};
    if (gpu.bursting && now < gpu.burstEnd) return {Access::read, status};
    if (gpu.bursting && now < gpu.nextBurst) return {Access::quiet, status};
    gpu.bursting = true;
    gpu.burstEnd = now + kBurst;
    gpu.nextBurst = now + quietInterval(device);
    return {Access::read, status};
}

}  // namespace corvelle
