#pragma once

#include "outbound/UpdateCheckResult.h"

#include <optional>
#include <string_view>
#include <vector>

namespace corvelle {

// The update feed is a small JSON object: {"version": "1.2.0", "url": "https://..."}.
namespace UpdateFeed {

// "1.2.10" as its numbers; absent unless one to four dot-separated numbers of at most nine digits.
std::optional<std::vector<long>> parseVersion(std::string_view text);
// Negative, zero or positive as a is older than, equal to or newer than b; missing trailing
// numbers count as 0 ("1.1" equals "1.1.0").
int compare(const std::vector<long>& a, const std::vector<long>& b);
// Reads a fetched feed against the running version; absent when the feed or either version
// cannot be read.
std::optional<UpdateCheckResult> evaluate(std::string_view feed, std::string_view currentVersion);

}  // namespace UpdateFeed
}  // namespace corvelle
