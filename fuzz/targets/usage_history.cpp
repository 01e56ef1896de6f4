// daily-summaries.json
#include "JsonRoundTrip.h"
#include "history/UsageHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvelle::fuzz::requireRoundTrip<corvelle::UsageHistory>(corvelle::fuzz::text(data, size));
    return 0;
}
