#pragma once

#include "platform/ProcessTable.h"

#include <dirent.h>

#include <filesystem>
#include <string_view>

namespace corvelle {

// The process table from procfs: /proc/[pid]/stat for the counters and the short name,
// the /proc/[pid]/exe link for the executable's path. Nothing else is read per tick.
class LinuxProcessTable : public ProcessTable {
public:
    // Units of the stat figures: clock ticks per second and the page size in bytes.
    struct Units {
        std::uint64_t ticksPerSecond = 100;
        std::uint64_t pageSize = 4096;
    };

    explicit LinuxProcessTable(const std::filesystem::path& root = "/");
    ~LinuxProcessTable() override;
    LinuxProcessTable(const LinuxProcessTable&) = delete;
    LinuxProcessTable& operator=(const LinuxProcessTable&) = delete;

    bool listPids(std::vector<std::int32_t>& pids) override;
    bool readTask(std::int32_t pid, Task& task) override;
    bool executablePath(std::int32_t pid, std::string& path) override;

    // Fills task from one stat line. The name sits between the first "(" and the last ")",
    // so names holding spaces or parentheses parse. False for a truncated or garbage line.
    static bool parseStat(std::string_view line, const Units& units, Task& task);

private:
    DIR* proc_ = nullptr;  // the proc folder; its descriptor anchors every per-pid open
    Units units_;
};

}  // namespace corvelle
