#pragma once

#include "model/ProcStats.h"
#include "platform/Clock.h"
#include "platform/ProcessTable.h"
#include "sampling/CoreContext.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvelle {

// Samples every process once per tick: CPU use since the previous tick, resident memory,
// threads, an energy-impact figure weighted by how busy the performance cores are, and a
// readable name. Keeps the busiest processes.
class ProcessMonitor {
public:
    // A null table means the machine offers none: every sample is empty.
    ProcessMonitor(std::unique_ptr<ProcessTable> table, std::shared_ptr<const Clock> clock);

    // The busiest processes by cpuPercent, descending (equal figures keep the order of the pid
    // list), at most maxProcesses of them. A process shows 0 % on its first sighting.
    std::vector<ProcStats> sample(const std::optional<CoreContext>& coreContext, std::int64_t maxProcesses);
    // How many processes the last sample read, before the cut to the busiest.
    std::int64_t lastCount() const { return static_cast<std::int64_t>(candidates_.size()); }

    // How much one percent of CPU weighs in energy impact this tick: 1.5 without a CPU reading,
    // from 1.0 (all work on efficiency cores) to 2.5 (all on performance cores), 1.0 when idle.
    static double weightingFactor(const std::optional<CoreContext>& coreContext);

    // The name an executable path gives: the outermost ".app" bundle's name, else the last
    // path piece that is neither a version number nor a common system folder name.
    static std::optional<std::string> resolveNameFromPath(std::string_view path);

private:
    // What the previous tick saw of one pid, and the name resolved for the process behind it.
    struct PreviousSample {
        std::uint64_t userTime = 0;
        std::uint64_t systemTime = 0;
        double timestamp = 0;       // uptime seconds
        std::uint64_t listedIn = 0;  // the sample() call that last listed the pid
        std::uint64_t startTime = 0;
        std::string shortName;
        std::string name;
    };
    // A sampled process before the cut to the busiest few; points into previousSamples_.
    struct Candidate {
        size_t order;  // position in the pid list, to break ties
        std::int32_t pid;
        double cpuPercent;
        const PreviousSample* entry;
        std::uint64_t memoryBytes;
        std::int64_t threadCount;
    };

    void sampleProcess(std::int32_t pid, double now);
    bool resolveName(std::int32_t pid, std::string& name);
    static double cpuPercent(const ProcessTable::Task& task, const PreviousSample& previous, double now);
    std::vector<ProcStats> busiest(std::int64_t maxProcesses, double factor);

    std::unique_ptr<ProcessTable> table_;
    std::shared_ptr<const Clock> clock_;
    std::unordered_map<std::int32_t, PreviousSample> previousSamples_;
    std::uint64_t tick_ = 0;
    // Buffers reused from tick to tick.
    std::vector<std::int32_t> pids_;
    std::vector<Candidate> candidates_;
    ProcessTable::Task task_;
    std::string pathBuffer_;
    std::string resolvedName_;
};

}  // namespace corvelle
