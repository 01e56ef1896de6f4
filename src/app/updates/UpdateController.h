#pragma once

#include "outbound/UpdateCheckResult.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvelle {

// "Check for Updates…": fetches the update feed, compares its version with the running one and
// hands the outcome, success or failure, to `present` (a dialog in the app).
class UpdateController {
public:
    static constexpr const char* feedUrl = "https://corvelle.mirelo.io/updates/linux.json";

    // Delivers the feed's text, or a failure reason, exactly once on the main thread.
    using FetchDone = std::function<void(std::optional<std::string> body, std::string error)>;
    using Fetch = std::function<void(FetchDone done)>;
    using Present = std::function<void(const UpdateCheckResult&)>;

    UpdateController(Fetch fetch, Present present, std::string currentVersion);

    // Starts a check; a request while one is running is ignored.
    void checkForUpdates();
    bool isChecking() const { return *checking_; }

    // The feed over HTTPS with Qt's network module: 15 s time-out, at most 64 KiB.
    static Fetch networkFetch(const std::string& url);
    // A dialog that tells the outcome; an available update offers to open its download page.
    static void showDialog(const UpdateCheckResult& result, const std::string& currentVersion);

private:
    Fetch fetch_;
    Present present_;
    std::string currentVersion_;
    std::shared_ptr<bool> checking_ = std::make_shared<bool>(false);
};

}  // namespace corvelle
