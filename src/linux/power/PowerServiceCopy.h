#pragma once

#include "linux/power/RaplDomain.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The copy of the RAPL counters that the power service (corvelle-power) publishes once a second
// for every user, in /run/corvelle-power/rapl:
//
//   corvelle-power 1
//   time 8123.456789
//   intel-rapl:0 package-0 81234567890 262143328850
//
// the time on the boot clock (CLOCK_BOOTTIME, seconds) at which the counters were read, then one
// line per domain with a readable counter: zone, name, counter and range in µJ.
namespace corvelle::PowerServiceCopy {

// Where the copy lies, below the root folder.
inline constexpr std::string_view kFile = "run/corvelle-power/rapl";
// Its name in the service's runtime folder.
inline constexpr std::string_view kFileName = "rapl";

struct Publication {
    double time = 0;
    std::vector<RaplDomain> domains;  // each with its counter
    bool operator==(const Publication&) const = default;
};

// The text of a publication; domains without a counter are left out.
std::string compose(double time, const std::vector<RaplDomain>& domains);
// A publication's text; absent unless every line is as compose writes it.
std::optional<Publication> parse(std::string_view text);

}  // namespace corvelle::PowerServiceCopy
