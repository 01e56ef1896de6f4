// /proc/meminfo
#include "FuzzCheck.h"
#include "linux/MeminfoSource.h"

#include <limits>

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stats = MeminfoSource::toVmStats(MeminfoSource::parse(fuzz::text(data, size)));
    if (!stats) return 0;
    const auto most = std::numeric_limits<std::uint64_t>::max() / stats->pageSize;
    for (auto count : {stats->freeCount, stats->activeCount, stats->wireCount, stats->compressorPageCount,
                       stats->internalPageCount, stats->purgeableCount}) {
        fuzz::require(count <= most, "every count converts to bytes");
    }
    return 0;
}
