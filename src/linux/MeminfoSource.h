#pragma once

#include "platform/VmStatsSource.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace corvelle {

// Memory figures from /proc/meminfo, counted in 1024-byte units (the file's kB):
// free = MemAvailable, active = Active, wired = Unevictable + KernelStack + PageTables +
// SUnreclaim, compressed = Zswap, internal = AnonPages + Shmem, purgeable = 0.
class MeminfoSource : public VmStatsSource {
public:
    explicit MeminfoSource(std::filesystem::path root = "/");

    std::uint64_t physicalMemory() override;
    std::optional<VmStats> read() override;

    // "Key:   value kB" lines to key -> value in kB; lines that do not parse are left out.
    static std::map<std::string, std::uint64_t, std::less<>> parse(std::string_view text);
    // Page counts from parsed values; absent without MemAvailable, Active or AnonPages.
    static std::optional<VmStats> toVmStats(const std::map<std::string, std::uint64_t, std::less<>>& kb);

private:
    std::filesystem::path root_;
    std::string buffer_;
};

}  // namespace corvelle
