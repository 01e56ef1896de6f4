// profile.json
#include "JsonRoundTrip.h"
#include "model/ProfileClassification.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvelle::fuzz::requireRoundTrip<corvelle::ProfileClassification>(corvelle::fuzz::text(data, size));
    return 0;
}
