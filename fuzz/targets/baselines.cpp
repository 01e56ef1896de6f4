// baselines.json
#include "FuzzCheck.h"
#include "alerts/BaselinesFile.h"

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = BaselinesFile::decode(fuzz::text(data, size));
    if (!file) return 0;
    for (const auto& [name, baseline] : file->processBaselines) {
        fuzz::require(baseline.avgCPU >= 0 && baseline.sampleCount >= 0, "no negative baseline");
    }
    const auto encoded = file->encode();
    fuzz::require(encoded.has_value(), "decoded baselines encode");
    fuzz::require(BaselinesFile::decode(*encoded) == file, "decode, encode, decode gives the same baselines");
    return 0;
}
