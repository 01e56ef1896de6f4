#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// The outcome of one update check, as the dialog tells it.
struct UpdateCheckResult {
    enum class Kind { upToDate, available, failed };
    Kind kind = Kind::failed;
    std::string latestVersion;  // available: the feed's version
    std::string downloadUrl;    // available: the feed's https address, empty when it gave none
    std::string failure;        // failed: what went wrong, ready to show

    static UpdateCheckResult upToDate() { return {Kind::upToDate, "", "", ""}; }
    static UpdateCheckResult available(std::string version, std::string url) {
        return {Kind::available, std::move(version), std::move(url), ""};
    }
    static UpdateCheckResult failed(std::string why) { return {Kind::failed, "", "", std::move(why)}; }

    bool operator==(const UpdateCheckResult&) const = default;
};

// The update feed is a small JSON object: {"version": "1.2.0", "url": "https://..."}.
namespace UpdateFeed {

// "1.2.10" as its numbers; absent unless one to four dot-separated numbers of at most nine digits.
std::optional<std::vector<long>> parseVersion(std::string_view text);
// Negative, zero or positive as a is older than, equal to or newer than b; missing trailing
// numbers count as 0 ("1.1" equals "1.1.0").
int compare(const std::vector<long>& a, const std::vector<long>& b);
// Reads a fetched feed against the running version.
UpdateCheckResult evaluate(std::string_view feed, std::string_view currentVersion);

}  // namespace UpdateFeed
}  // namespace corvelle
