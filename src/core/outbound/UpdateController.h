#pragma once

#include "outbound/UpdateCheckResult.h"
#include "platform/EventLoop.h"
#include "platform/HttpClient.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace corvelle {

// Checks the update feed: automatically once at start and then every day, and whenever the user
// asks. An automatic check speaks up only when an update exists; its failure is logged, once
// until a check succeeds again. A check the user asked for always presents its outcome, also
// when it joins an automatic check already under way.
class UpdateController {
public:
    static constexpr const char* feedUrl = "https://corvelle.mirelo.io/updates/linux.json";
    static constexpr double checkInterval = 86'400;
    static constexpr double timeoutSeconds = 15;
    static constexpr size_t maxFeedBytes = 64 * 1024;

    struct Dependencies {
        std::shared_ptr<HttpClient> http;
        std::shared_ptr<EventLoop> loop;
        std::string currentVersion;
        std::function<void(const UpdateCheckResult&)> present;  // a dialog in the app
        std::function<void(const std::string&)> log;            // one line on standard error in the app
        std::string feedUrl = UpdateController::feedUrl;
    };

    explicit UpdateController(Dependencies dependencies);
    ~UpdateController();
    UpdateController(const UpdateController&) = delete;
    UpdateController& operator=(const UpdateController&) = delete;

    // Checks now and every checkInterval seconds after.
    void start();
    // The user's "Check for Updates…".
    void checkForUpdates();

private:
    void check(bool requested);
    UpdateCheckResult outcome(const HttpResult& answer) const;
    void finish(const UpdateCheckResult& result);

    Dependencies dependencies_;
    TimerId timer_ = 0;
    bool checking_ = false;
    bool requested_ = false;  // the user asked during the check under way
    bool failureLogged_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
