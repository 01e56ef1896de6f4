#include "linux/DiskstatsSource.h"

#include "linux/TextFile.h"

namespace corvelle {
namespace {

constexpr std::uint64_t kSectorBytes = 512;
constexpr std::uint64_t kMaxSectors = UINT64_MAX / kSectorBytes;

bool isVirtual(const std::string& name) {
    for (const char* prefix : {"loop", "ram", "zram", "dm-"}) {
        if (name.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

}  // namespace

DiskstatsSource::DiskstatsSource(std::filesystem::path root) : root_(std::move(root)) {}

std::set<std::string, std::less<>> DiskstatsSource::physicalDisks() const {
    std::set<std::string, std::less<>> disks;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "sys/block", error)) {
        auto name = entry.path().filename().string();
        if (isVirtual(name)) continue;
        std::error_code linkError;
        if (std::filesystem::exists(std::filesystem::symlink_status(entry.path() / "device", linkError))) {
            disks.insert(std::move(name));
        }
    }
    return disks;
}

std::optional<BlockTotals> DiskstatsSource::parse(std::string_view text,
                                                  const std::set<std::string, std::less<>>& disks) {
    BlockTotals totals;
    bool malformed = false;
    bool seen = false;
    TextFile::forEachLine(text, [&](std::string_view line) {
        auto parts = TextFile::fields(line);
        // major minor name reads merged sectorsRead msRead writes merged sectorsWritten ...
        if (parts.size() < 3 || !disks.count(parts[2])) return;
        seen = true;
        auto read = parts.size() >= 10 ? TextFile::parseUnsigned(parts[5]) : std::nullopt;
        auto written = parts.size() >= 10 ? TextFile::parseUnsigned(parts[9]) : std::nullopt;
        if (!read || !written || *read > kMaxSectors || *written > kMaxSectors ||
            !TextFile::addCounter(totals.bytesRead, *read * kSectorBytes) ||
            !TextFile::addCounter(totals.bytesWritten, *written * kSectorBytes)) {
            malformed = true;
        }
    });
    // The kernel lists every disk; a text that names none of ours is not the kernel's.
    if (malformed || (!seen && !disks.empty())) return std::nullopt;
    return totals;
}

std::optional<BlockTotals> DiskstatsSource::read() {
    if (!TextFile::read(root_ / "proc/diskstats", buffer_)) return std::nullopt;
    return parse(buffer_, physicalDisks());
}

}  // namespace corvelle
