// /proc/net/dev
#include "FuzzCheck.h"
#include "linux/NetDevSource.h"

#include <string>

using namespace corvelle;

// Totals only grow as lines are added: a sum that wrapped around would shrink.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::text(data, size));
    const auto totals = NetDevSource::parse(text);
    const auto more = NetDevSource::parse(text + "\n eth9: 1 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0\n");
    if (!totals || !more) return 0;
    fuzz::require(more->bytesIn >= totals->bytesIn && more->bytesOut >= totals->bytesOut, "no total wraps around");
    return 0;
}
