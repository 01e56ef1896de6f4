#pragma once

#include "model/ProcStats.h"
#include "platform/Clock.h"
#include "platform/DesktopEntries.h"
#include "platform/ProcessTable.h"
#include "platform/SortKeys.h"
#include "sampling/CoreContext.h"
#include "sampling/ProcessOrder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvelle {

// Samples every process once per tick: CPU use since the previous tick, resident memory,
// threads, an energy-impact figure weighted by how busy the performance cores are, a readable
// name and the application the session started it as. Keeps the busiest processes. Kernel
// threads are one row (pid 0) with their summed CPU and threads.
class ProcessMonitor {
public:
    // A null table means the machine offers none: every sample is empty. Without desktop
    // entries no process has an application name; without sort keys names order by their bytes.
    ProcessMonitor(std::unique_ptr<ProcessTable> table, std::shared_ptr<const Clock> clock,
                   std::unique_ptr<DesktopEntries> desktopEntries = nullptr,
                   std::shared_ptr<const SortKeys> sortKeys = nullptr);

    // Application names are read in language ("en", "es") and the kernel row is called
    // kernelName, from the next sample on.
    void setLanguage(std::string_view language, std::string_view kernelName);

    // The busiest processes by cpuPercent, descending (equal figures keep the order of the pid
    // list), at most maxProcesses of them. A process shows 0 % on its first sighting.
    std::vector<ProcStats> sample(const std::optional<CoreContext>& coreContext, std::int64_t maxProcesses);
    // How many processes the last sample found on the machine, kernel threads included; a pid
    // whose process could not be read (gone, or exited and not yet reaped) does not count.
    std::int64_t lastCount() const { return count_; }
    // The processes of the latest sample in the given order (ties in pid-list order), at most
    // maxProcesses of them.
    std::vector<ProcStats> top(const ProcessOrder& order, std::int64_t maxProcesses);
    bool hasSample() const { return tick_ > 0; }
    // The processes on screen: from the next sample on their memory is read every tick even when
    // they sat idle. An empty list when none are shown.
    void setShown(const std::vector<ProcStats>& shown);

    // The processes of the latest sample other than kernel threads, in pid-list order; those of
    // them that are new in it (first seen, or another program behind a reused pid); and those that
    // may have run since the sample before (the new ones too), which alone can have opened files.
    const std::vector<std::int32_t>& userPids() const { return userPids_; }
    const std::vector<std::int32_t>& newPids() const { return newPids_; }
    const std::vector<std::int32_t>& activePids() const { return activePids_; }
    // Whether the latest sample was a round that read every process.
    bool wasFullRound() const { return fullRead_; }
    // The name a process of the latest sample goes by: its application's, else its own; empty
    // for a pid it does not know.
    std::string_view displayName(std::int32_t pid) const;

    // Seconds between the rounds that read every process, idle or not, for its memory; a kernel
    // thread has none and is read only when it ran.
    static constexpr double kFullReadInterval = 30;

    // How much one percent of CPU weighs in energy impact this tick: 1.5 without a CPU reading,
    // from 1.0 (all work on efficiency cores) to 2.5 (all on performance cores), 1.0 when idle.
    static double weightingFactor(const std::optional<CoreContext>& coreContext);

    // The name an executable path gives: the outermost ".app" bundle's name, else the last
    // path piece that is neither a version number nor a common system folder name.
    static std::optional<std::string> resolveNameFromPath(std::string_view path);

private:
    // What the previous tick saw of one pid, and what was resolved once for the process behind it.
    struct PreviousSample {
        std::uint64_t userTime = 0;
        std::uint64_t systemTime = 0;
        double timestamp = 0;       // uptime seconds
        std::uint64_t memoryBytes = 0;
        std::int64_t threadCount = 0;
        std::uint64_t listedIn = 0;  // the sample() call that last listed the pid
        std::uint64_t startTime = 0;
        std::string shortName;
        bool isKernelThread = false;
        std::string name;
        std::string nameKey;       // the name's sort key
        // The control group the process was first seen in; empty: unknown.
        std::string controlGroup;
        std::string appName;
        std::uint64_t language = 0;  // the setLanguage() call appName was resolved under
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
    void addCandidate(std::int32_t pid, PreviousSample& entry, double percent);
    bool mayReuse(std::int32_t pid, const PreviousSample& known, bool memoryDue);
    bool resolveName(std::int32_t pid, std::string& name);
    bool resolveArgumentName(std::int32_t pid, std::string& name);
    void resolveApp(PreviousSample& entry);
    static double cpuPercent(const ProcessTable::Task& task, const PreviousSample& previous, double now);
    template <typename Before>
    std::vector<ProcStats> first(std::int64_t maxProcesses, Before before);

    std::unique_ptr<ProcessTable> table_;
    std::shared_ptr<const Clock> clock_;
    std::unique_ptr<DesktopEntries> desktopEntries_;
    std::shared_ptr<const SortKeys> sortKeys_;
    std::unordered_map<std::int32_t, PreviousSample> previousSamples_;
    std::uint64_t tick_ = 0;
    std::int64_t count_ = 0;  // processes sampled this tick
    double lastFullRead_ = -kFullReadInterval;
    bool fullRead_ = true;  // this tick reads every process
    std::vector<std::int32_t> shown_;  // sorted
    std::vector<std::int32_t> userPids_;
    std::vector<std::int32_t> newPids_;
    std::vector<std::int32_t> activePids_;
    double factor_ = 1.0;  // the latest sample's energy weighting
    std::string language_ = "en";
    std::uint64_t languageChange_ = 1;
    // Application names by desktop id, in language_: each entry is read once.
    std::unordered_map<std::string, std::optional<std::string>> appNames_;
    // The kernel row: its name, and this tick's sums over the kernel threads.
    PreviousSample kernel_;
    std::optional<Candidate> kernelRow_;
    // Buffers reused from tick to tick.
    std::vector<std::int32_t> pids_;
    std::vector<Candidate> candidates_;
    ProcessTable::Task task_;
    std::string pathBuffer_;
    std::string resolvedName_;
    std::string controlGroup_;
};

}  // namespace corvelle
