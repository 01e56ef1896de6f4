#include "sampling/MemoryMonitor.h"

#include <algorithm>
#include <limits>

namespace corvelle {
namespace {

// Pages to bytes; a count whose byte size does not fit in 64 bits is no real figure.
std::optional<std::uint64_t> bytes(std::uint64_t pages, std::uint64_t pageSize) {
    if (pageSize != 0 && pages > std::numeric_limits<std::uint64_t>::max() / pageSize) return std::nullopt;
    return pages * pageSize;
}

}  // namespace

MemoryMonitor::MemoryMonitor(std::unique_ptr<VmStatsSource> source) : source_(std::move(source)) {
    if (source_) totalMemory_ = source_->physicalMemory();
}

std::optional<MemoryMonitor::Snapshot> MemoryMonitor::sample() {
    if (!source_ || totalMemory_ == 0) return std::nullopt;
    auto stats = source_->read();
    if (!stats) return std::nullopt;
    const auto p = stats->pageSize;
    const auto appPages =
        stats->internalPageCount > stats->purgeableCount ? stats->internalPageCount - stats->purgeableCount : 0;
    auto free = bytes(stats->freeCount, p);
    auto active = bytes(stats->activeCount, p);
    auto wired = bytes(stats->wireCount, p);
    auto compressed = bytes(stats->compressorPageCount, p);
    auto appUsed = bytes(appPages, p);
    if (!free || !active || !wired || !compressed || !appUsed) return std::nullopt;

    Snapshot snapshot;
    snapshot.memoryTotal = totalMemory_;
    snapshot.memoryUsed = *free > totalMemory_ ? 0 : totalMemory_ - *free;
    snapshot.memoryActive = *active;
    snapshot.memoryWired = *wired;
    snapshot.memoryCompressed = *compressed;
    snapshot.memoryAppUsed = *appUsed;
    const double pressured = static_cast<double>(*appUsed) + static_cast<double>(*wired) +
                             static_cast<double>(*compressed);
    snapshot.memoryPressure = std::min(pressured / static_cast<double>(totalMemory_) * 100.0, 100.0);
    return snapshot;
}

}  // namespace corvelle
