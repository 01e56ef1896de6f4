#pragma once

#include "model/CpuReading.h"
#include "platform/CpuTicksSource.h"

#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace corvelle {

// Per-core and machine-wide CPU usage from the difference of tick counters between calls.
class CPUMonitor {
public:
    using CoreUsage = corvelle::CoreUsage;
    using Snapshot = CpuReading;

    // A null source means the machine's counters are unreadable: every sample is absent.
    explicit CPUMonitor(std::unique_ptr<CpuTicksSource> source);

    // Absent when the counters cannot be read. The first call, and the first call after the set
    // of CPUs changed, gives all usages 0.
    std::optional<Snapshot> sample();

    int eCoreCount() const { return static_cast<int>(efficiencyCpus_.size()); }

private:
    bool isEfficiency(int cpu) const { return efficiencyCpus_.count(cpu) > 0; }
    Snapshot zeroSnapshot(const std::vector<CpuTicks>& current) const;
    Snapshot usageSince(const std::vector<CpuTicks>& current) const;
    void addCore(Snapshot& snapshot, CoreUsage core) const;

    std::unique_ptr<CpuTicksSource> source_;
    std::set<int> efficiencyCpus_;
    std::vector<CpuTicks> previousTicks_;
};

}  // namespace corvelle
