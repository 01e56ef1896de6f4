#pragma once

#include "platform/BlockStatsSource.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace corvelle {

// Bytes read and written by whole physical disks: /proc/diskstats sectors x 512, for the
// entries of /sys/block that have a device link (no partitions, loop, ram, zram or dm devices).
class DiskstatsSource : public BlockStatsSource {
public:
    explicit DiskstatsSource(std::filesystem::path root = "/");

    std::optional<BlockTotals> read() override;

    // Totals of the named disks in /proc/diskstats text; absent when a line of one of them is
    // malformed or none of them is listed.
    static std::optional<BlockTotals> parse(std::string_view text, const std::set<std::string, std::less<>>& disks);

private:
    std::set<std::string, std::less<>> physicalDisks() const;

    std::filesystem::path root_;
    std::string buffer_;
};

}  // namespace corvelle
