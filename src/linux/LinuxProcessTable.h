#pragma once

#include "linux/CgroupActivity.h"
#include "platform/ProcessTable.h"

#include <dirent.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

namespace corvelle {

// The process table from procfs: /proc/[pid]/stat for the counters, the short name and the
// kernel-thread flag; the /proc/[pid]/exe link, cmdline and cgroup files for what a process is.
// Only stat is meant to be read every tick.
// Stat files stay open from tick to tick (re-read from offset 0): opening them is most of
// the cost. A bounded share of the descriptor limit is used for that.
// Guided by the cgroup v2 hierarchy, the table lists the processes and tells which sat idle since
// the previous listing, so that neither the proc folder nor their stat files need be read (see
// CgroupActivity). Of the others, a process that had one thread is idle while the run time in its
// schedstat file stays put: that file costs the kernel a fraction of a stat file to write.
class LinuxProcessTable : public ProcessTable {
public:
    enum class Reading { guided, full };

    // Units of the stat figures: clock ticks per second and the page size in bytes.
    struct Units {
        std::uint64_t ticksPerSecond = 100;
        std::uint64_t pageSize = 4096;
    };

    explicit LinuxProcessTable(const std::filesystem::path& root = "/", Reading reading = Reading::guided);
    ~LinuxProcessTable() override;
    LinuxProcessTable(const LinuxProcessTable&) = delete;
    LinuxProcessTable& operator=(const LinuxProcessTable&) = delete;

    bool listPids(std::vector<std::int32_t>& pids) override;
    bool isIdle(std::int32_t pid) override;
    bool readTask(std::int32_t pid, Task& task) override;
    bool executablePath(std::int32_t pid, std::string& path) override;
    bool firstArgument(std::int32_t pid, std::string& argument) override;
    bool controlGroup(std::int32_t pid, std::string& path) override;

    // Fills task from one stat line. The name sits between the first "(" and the last ")",
    // so names holding spaces or parentheses parse. False for a truncated or garbage line, and for
    // a process that exited and waits to be reaped (a zombie without live threads): it is gone.
    static bool parseStat(std::string_view line, const Units& units, Task& task);
    // The service manager's control group in a cgroup file: the unified hierarchy's "0::" path,
    // else (a hybrid layout) the "name=systemd" one; empty when neither is there or it is "/".
    static std::string_view parseControlGroup(std::string_view text);
    // The run time in nanoseconds at the start of a schedstat text; 0 when there is none (a
    // kernel without scheduler statistics writes "0 0 0").
    static std::uint64_t parseRunTime(std::string_view text);

    // Processes whose stat file is held open; for tests.
    size_t openStatCount() const { return held_.size(); }
    // Stat files, and schedstat files, read so far; for tests and benchmarks.
    std::uint64_t statReads() const { return statReads_; }
    std::uint64_t runTimeReads() const { return runTimeReads_; }
    // cpu.stat files read so far; for tests and benchmarks.
    std::uint64_t usageReads() const { return activity_ ? activity_->usageReads() : 0; }

private:
    // What is held for one process: its stat file, and its schedstat file once it was idle-tested.
    struct HeldFiles {
        int stat = -1;
        int schedstat = -1;
        bool schedstatTried = false;
        bool singleThreaded = false;  // as of the latest stat read
        // The run time read before the latest stat read that followed one; 0 when unknown.
        std::uint64_t runTime = 0;
        std::uint64_t pendingRunTime = 0;  // read by isIdle() for the stat read that follows
    };

    long readStat(std::int32_t pid, std::span<char> buffer);
    std::uint64_t readRunTime(std::int32_t pid, HeldFiles& files);
    void release(const HeldFiles& files);
    // A small per-pid file into buffer_; false when it cannot be read or is empty.
    bool readPidFile(std::int32_t pid, std::string_view leaf);
    void closeUnlisted(std::span<const std::int32_t> pids);

    DIR* proc_ = nullptr;  // the proc folder; its descriptor anchors every per-pid open
    Reading reading_;
    Units units_;
    std::unordered_map<std::int32_t, HeldFiles> held_;
    size_t heldDescriptors_ = 0;
    size_t maxHeldDescriptors_ = 0;
    std::uint64_t statReads_ = 0;
    std::uint64_t runTimeReads_ = 0;
    std::string buffer_;
    std::optional<CgroupActivity> activity_;  // absent for a full read or without cgroup v2
};

}  // namespace corvelle
