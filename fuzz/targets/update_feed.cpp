// The fetched update feed and the version texts in it.
#include "FuzzCheck.h"
#include "outbound/UpdateFeed.h"

#include <string>

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::text(data, size);
    if (const auto result = UpdateFeed::evaluate(input, "1.0.1"); result && !result->downloadUrl.empty()) {
        fuzz::require(result->downloadUrl.starts_with("https://"), "only a secure address is offered");
    }
    const auto version = UpdateFeed::parseVersion(input);
    if (!version) return 0;
    std::string written;
    for (long number : *version) written += (written.empty() ? "" : ".") + std::to_string(number);
    fuzz::require(UpdateFeed::parseVersion(written) == version, "a version reads back from its numbers");
    fuzz::require(UpdateFeed::compare(*version, *version) == 0, "a version equals itself");
    return 0;
}
