#pragma once

#include "platform/ProcessTable.h"

#include <dirent.h>

#include <filesystem>
#include <span>
#include <string_view>
#include <unordered_map>

namespace corvelle {

// The process table from procfs: /proc/[pid]/stat for the counters and the short name,
// the /proc/[pid]/exe link for the executable's path. Nothing else is read per tick.
// Stat files stay open from tick to tick (re-read from offset 0): opening them is most of
// the cost. A bounded share of the descriptor limit is used for that.
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

    // Stat files held open; for tests.
    size_t openStatCount() const { return openStats_.size(); }

private:
    struct OpenStat {
        int fd = -1;
        std::uint64_t listedIn = 0;  // the listing that last saw the pid
    };

    long readStat(std::int32_t pid, std::span<char> buffer);
    void closeUnlisted();

    DIR* proc_ = nullptr;  // the proc folder; its descriptor anchors every per-pid open
    Units units_;
    std::unordered_map<std::int32_t, OpenStat> openStats_;
    size_t maxOpenStats_ = 0;
    std::uint64_t listing_ = 0;
};

}  // namespace corvelle
