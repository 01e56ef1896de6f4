#pragma once

#include <string>
#include <utility>

namespace corvelle {

// The outcome of one update check.
struct UpdateCheckResult {
    enum class Kind { upToDate, available, unreachable, unreadable };
    Kind kind = Kind::unreadable;
    std::string latestVersion;  // available: the feed's version
    std::string downloadUrl;    // available: the feed's https address, empty when it gave none
    std::string reason;         // unreachable: what the connection said ("HTTP 404", "Timeout was reached")

    static UpdateCheckResult upToDate() { return {Kind::upToDate, "", "", ""}; }
    static UpdateCheckResult available(std::string version, std::string url) {
        return {Kind::available, std::move(version), std::move(url), ""};
    }
    static UpdateCheckResult unreachable(std::string why) { return {Kind::unreachable, "", "", std::move(why)}; }
    static UpdateCheckResult unreadable() { return {}; }

    bool failed() const { return kind == Kind::unreachable || kind == Kind::unreadable; }
    bool operator==(const UpdateCheckResult&) const = default;
};

}  // namespace corvelle
