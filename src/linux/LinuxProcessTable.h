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
// CgroupActivity).
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
    bool isIdle(std::int32_t pid) const override { return activity_ && activity_->isIdle(pid); }
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

    // Stat files held open; for tests.
    size_t openStatCount() const { return openStats_.size(); }
    // Stat files read so far; for tests and benchmarks.
    std::uint64_t statReads() const { return statReads_; }
    // cpu.stat files read so far; for tests and benchmarks.
    std::uint64_t usageReads() const { return activity_ ? activity_->usageReads() : 0; }

private:
    long readStat(std::int32_t pid, std::span<char> buffer);
    // A small per-pid file into buffer_; false when it cannot be read or is empty.
    bool readPidFile(std::int32_t pid, std::string_view leaf);
    void closeUnlisted(std::span<const std::int32_t> pids);

    DIR* proc_ = nullptr;  // the proc folder; its descriptor anchors every per-pid open
    Units units_;
    std::unordered_map<std::int32_t, int> openStats_;  // pid to descriptor
    size_t maxOpenStats_ = 0;
    std::uint64_t statReads_ = 0;
    std::string buffer_;
    std::optional<CgroupActivity> activity_;  // absent for a full read or without cgroup v2
};

}  // namespace corvelle
