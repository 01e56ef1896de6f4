// The power service's copy of the energy counters, and the APU meter's power files (one line each
// after the copy, past a line "--").
#include "FuzzCheck.h"
#include "linux/power/ApuPowerMeter.h"
#include "linux/power/PowerServiceCopy.h"

#include <cmath>

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::text(data, size);
    const auto split = input.find("\n--\n");
    if (const auto copy = PowerServiceCopy::parse(input.substr(0, split))) {
        for (const auto& domain : copy->domains) {
            fuzz::require(domain.counter && (domain.range == 0 || *domain.counter <= domain.range), "a counter within its range");
            fuzz::require(RaplDomain::isZone(domain.zone) && RaplDomain::isName(domain.name), "plain zones and names");
        }
        // The service writes its time to the microsecond.
        const auto again = PowerServiceCopy::parse(PowerServiceCopy::compose(copy->time, copy->domains));
        fuzz::require(again && again->domains == copy->domains &&
                          std::fabs(again->time - copy->time) <= 1e-6 + copy->time * 1e-15,
                      "what is read is written back the same");
    }
    if (split == std::string_view::npos) return 0;
    for (const auto line : fuzz::pieces(input.substr(split + 4), '\n')) {
        if (const auto watts = ApuPowerMeter::watts(line)) fuzz::require(*watts >= 0.1 && *watts <= 1000, "a plausible package");
    }
    return 0;
}
