#pragma once

#include <string>
#include <utility>

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

}  // namespace corvelle
