// /proc/diskstats
#include "FuzzCheck.h"
#include "linux/DiskstatsSource.h"

#include <string>

using namespace corvelle;

// Totals only grow as lines are added: a sum that wrapped around would shrink.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::set<std::string, std::less<>> disks{"sda", "nvme0n1", "vda"};
    const std::string text(fuzz::text(data, size));
    const auto totals = DiskstatsSource::parse(text, disks);
    const auto more = DiskstatsSource::parse(text + "\n 8 0 sda 1 0 1 0 1 0 1 0 0 0 0\n", disks);
    if (!totals || !more) return 0;
    fuzz::require(more->bytesRead >= totals->bytesRead && more->bytesWritten >= totals->bytesWritten,
                  "no total wraps around");
    return 0;
}
