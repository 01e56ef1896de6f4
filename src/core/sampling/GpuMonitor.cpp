#include "sampling/GpuMonitor.h"

#include <algorithm>

namespace corvelle {
namespace {

GpuState stateOf(GpuReading::Power power) {
    switch (power) {
        case GpuReading::Power::active: return GpuState::active;
        case GpuReading::Power::suspended: return GpuState::suspended;
        case GpuReading::Power::alwaysOn: break;
    }
    return GpuState::alwaysOn;
}

bool busierClientFirst(const GpuClient& a, const GpuClient& b) {
    if (busierFirst(a.busyPercent, a.name, b.busyPercent, b.name)) return true;
    return !busierFirst(b.busyPercent, b.name, a.busyPercent, a.name) && a.pid < b.pid;
}

}  // namespace

std::optional<std::vector<GpuStatus>> GpuMonitor::sample(bool shown, const ProcessMonitor& processes) {
    if (!source_) return std::nullopt;
    // A discrete GPU that just woke is searched for its clients from the next tick on.
    const bool wanted = shown || discreteAwake_;
    if (wanted) {
        trackClients(processes);
    } else if (tracking_) {
        source_->keepClients({});
        ranSinceSearch_.clear();
        tracking_ = false;
    }
    auto readings = source_->sample({.details = shown, .discreteClients = wanted});
    discreteAwake_ = std::ranges::any_of(readings, [](const GpuReading& gpu) {
        return gpu.discrete && gpu.power == GpuReading::Power::active;
    });
    return named(std::move(readings), processes);
}

// A process opens files only while it runs: a full round searches those that ran since the last
// search and are still there.
void GpuMonitor::trackClients(const ProcessMonitor& processes) {
    sortedPids_ = processes.userPids();
    std::ranges::sort(sortedPids_);
    const auto& active = processes.activePids();
    ranSinceSearch_.insert(ranSinceSearch_.end(), active.begin(), active.end());
    if (!tracking_) {
        source_->findClients(sortedPids_);
        ranSinceSearch_.clear();
    } else if (processes.wasFullRound()) {
        std::ranges::sort(ranSinceSearch_);
        std::vector<std::int32_t> search;
        std::ranges::set_intersection(ranSinceSearch_, sortedPids_, std::back_inserter(search));
        search.erase(std::unique(search.begin(), search.end()), search.end());
        source_->findClients(search);
        ranSinceSearch_.clear();
    } else if (!processes.newPids().empty()) {
        source_->findClients(processes.newPids());
    }
    source_->keepClients(sortedPids_);
    tracking_ = true;
}

std::vector<GpuStatus> GpuMonitor::named(std::vector<GpuReading> readings, const ProcessMonitor& processes) {
    std::vector<GpuStatus> gpus;
    gpus.reserve(readings.size());
    for (auto& reading : readings) {
        GpuStatus gpu{std::move(reading.id),
                      std::move(reading.name),
                      std::move(reading.driver),
                      reading.discrete ? GpuKind::discrete : GpuKind::integrated,
                      stateOf(reading.power),
                      reading.loadPercent,
                      reading.powerWatts,
                      reading.temperature,
                      reading.memoryUsedBytes,
                      reading.memoryTotalBytes,
                      {}};
        for (const auto& client : reading.clients) {
            const auto name = processes.displayName(client.pid);
            // A process that went between the two samples is no longer anyone's.
            if (!name.empty()) gpu.clients.push_back({client.pid, std::string(name), client.busyPercent, client.memoryBytes});
        }
        std::ranges::sort(gpu.clients, busierClientFirst);
        gpus.push_back(std::move(gpu));
    }
    return gpus;
}

}  // namespace corvelle
