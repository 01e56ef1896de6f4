#include "sampling/CPUMonitor.h"

#include <algorithm>

namespace corvelle {
namespace {

std::uint64_t delta(std::uint64_t now, std::uint64_t before) { return now >= before ? now - before : 0; }

bool sameCpus(const std::vector<CpuTicks>& a, const std::vector<CpuTicks>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CpuTicks& x, const CpuTicks& y) { return x.cpu == y.cpu; });
}

double average(double sum, size_t count) { return count > 0 ? sum / static_cast<double>(count) : 0; }

}  // namespace

CPUMonitor::CPUMonitor(std::unique_ptr<CpuTicksSource> source) : source_(std::move(source)) {
    if (!source_) return;
    for (int cpu : source_->efficiencyCpus()) efficiencyCpus_.insert(cpu);
}

std::optional<CPUMonitor::Snapshot> CPUMonitor::sample() {
    if (!source_) return std::nullopt;
    auto current = source_->read();
    if (!current) return std::nullopt;
    Snapshot snapshot = sameCpus(*current, previousTicks_) ? usageSince(*current) : zeroSnapshot(*current);
    previousTicks_ = std::move(*current);
    return snapshot;
}

void CPUMonitor::addCore(Snapshot& snapshot, CoreUsage core) const {
    snapshot.coreUsages.push_back(core);
    (core.isEfficiency ? snapshot.eCoreUsages : snapshot.pCoreUsages).push_back(core);
}

CPUMonitor::Snapshot CPUMonitor::zeroSnapshot(const std::vector<CpuTicks>& current) const {
    Snapshot snapshot;
    for (const auto& ticks : current) addCore(snapshot, CoreUsage{ticks.cpu, 0, isEfficiency(ticks.cpu)});
    return snapshot;
}

// A core's own usage counts nice time as busy; the machine-wide figures leave nice time out of
// numerator and denominator alike.
CPUMonitor::Snapshot CPUMonitor::usageSince(const std::vector<CpuTicks>& current) const {
    Snapshot snapshot;
    std::uint64_t user = 0, system = 0, idle = 0;
    double eSum = 0, pSum = 0;
    for (size_t i = 0; i < current.size(); ++i) {
        const auto& now = current[i];
        const auto& before = previousTicks_[i];
        const auto dUser = delta(now.user, before.user);
        const auto dSystem = delta(now.system, before.system);
        const auto dIdle = delta(now.idle, before.idle);
        const auto dNice = delta(now.nice, before.nice);
        const double busy = static_cast<double>(dUser) + static_cast<double>(dSystem) + static_cast<double>(dNice);
        const double all = busy + static_cast<double>(dIdle);
        const double usage = all > 0 ? std::min(busy / all * 100.0, 100.0) : 0.0;
        const bool efficiency = isEfficiency(now.cpu);
        addCore(snapshot, CoreUsage{now.cpu, usage, efficiency});
        (efficiency ? eSum : pSum) += usage;
        user += dUser;
        system += dSystem;
        idle += dIdle;
    }
    const double total = static_cast<double>(user) + static_cast<double>(system) + static_cast<double>(idle);
    if (total > 0) {
        snapshot.cpuTotalUsage = (static_cast<double>(user) + static_cast<double>(system)) / total * 100.0;
        snapshot.cpuUserUsage = static_cast<double>(user) / total * 100.0;
        snapshot.cpuSystemUsage = static_cast<double>(system) / total * 100.0;
    }
    snapshot.eCoreAverage = average(eSum, snapshot.eCoreUsages.size());
    snapshot.pCoreAverage = average(pSum, snapshot.pCoreUsages.size());
    return snapshot;
}

}  // namespace corvelle
