#include "linux/MeminfoSource.h"

#include "linux/TextFile.h"

#include <limits>

namespace corvelle {
namespace {

constexpr std::uint64_t kMaxKb = std::numeric_limits<std::uint64_t>::max() / 1024;

std::uint64_t valueOr0(const std::map<std::string, std::uint64_t, std::less<>>& kb, std::string_view key) {
    auto found = kb.find(key);
    return found == kb.end() ? 0 : found->second;
}

}  // namespace

MeminfoSource::MeminfoSource(std::filesystem::path root) : root_(std::move(root)) {}

std::map<std::string, std::uint64_t, std::less<>> MeminfoSource::parse(std::string_view text) {
    std::map<std::string, std::uint64_t, std::less<>> values;
    TextFile::forEachLine(text, [&](std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) return;
        auto parts = TextFile::fields(line.substr(colon + 1));
        if (parts.empty() || parts.size() > 2 || (parts.size() == 2 && parts[1] != "kB")) return;
        auto value = TextFile::parseUnsigned(parts[0]);
        if (value && *value <= kMaxKb) values.emplace(std::string(line.substr(0, colon)), *value);
    });
    return values;
}

std::optional<VmStats> MeminfoSource::toVmStats(const std::map<std::string, std::uint64_t, std::less<>>& kb) {
    for (const char* required : {"MemAvailable", "Active", "AnonPages"}) {
        if (!kb.count(required)) return std::nullopt;
    }
    VmStats stats;
    stats.pageSize = 1024;
    stats.freeCount = valueOr0(kb, "MemAvailable");
    stats.activeCount = valueOr0(kb, "Active");
    stats.wireCount = valueOr0(kb, "Unevictable") + valueOr0(kb, "KernelStack") + valueOr0(kb, "PageTables") +
                      valueOr0(kb, "SUnreclaim");
    stats.compressorPageCount = valueOr0(kb, "Zswap");
    stats.internalPageCount = valueOr0(kb, "AnonPages") + valueOr0(kb, "Shmem");
    stats.purgeableCount = 0;
    return stats;
}

std::uint64_t MeminfoSource::physicalMemory() {
    if (!TextFile::read(root_ / "proc/meminfo", buffer_)) return 0;
    return valueOr0(parse(buffer_), "MemTotal") * 1024;
}

std::optional<VmStats> MeminfoSource::read() {
    if (!TextFile::read(root_ / "proc/meminfo", buffer_)) return std::nullopt;
    return toVmStats(parse(buffer_));
}

}  // namespace corvelle
