// health-history.json
#include "JsonRoundTrip.h"
#include "history/BatteryHealthEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvelle::fuzz::requireRoundTrip<std::vector<corvelle::BatteryHealthEntry>>(corvelle::fuzz::text(data, size));
    return 0;
}
