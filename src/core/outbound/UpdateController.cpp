#include "outbound/UpdateController.h"

#include "outbound/UpdateFeed.h"

#include <utility>

namespace corvelle {

UpdateController::UpdateController(Dependencies dependencies) : dependencies_(std::move(dependencies)) {}

UpdateController::~UpdateController() {
    if (timer_) dependencies_.loop->cancel(timer_);
}

void UpdateController::start() {
    check(false);
    if (!timer_) timer_ = dependencies_.loop->startRepeating(checkInterval, [this] { check(false); });
}

void UpdateController::checkForUpdates() { check(true); }

void UpdateController::check(bool requested) {
    requested_ = requested_ || requested;
    if (checking_) return;
    checking_ = true;
    std::weak_ptr<bool> alive = alive_;
    dependencies_.http->get(dependencies_.feedUrl, {{"Accept", "application/json"}}, timeoutSeconds, maxFeedBytes,
                            [this, alive](const HttpResult& answer) {
                                if (alive.lock()) finish(outcome(answer));
                            });
}

UpdateCheckResult UpdateController::outcome(const HttpResult& answer) const {
    if (!answer.status) return UpdateCheckResult::unreachable(answer.error);
    if (!answer.succeeded()) return UpdateCheckResult::unreachable("HTTP " + std::to_string(*answer.status));
    return UpdateFeed::evaluate(answer.body, dependencies_.currentVersion).value_or(UpdateCheckResult::unreadable());
}

void UpdateController::finish(const UpdateCheckResult& result) {
    checking_ = false;
    const bool requested = std::exchange(requested_, false);
    if (requested || result.kind == UpdateCheckResult::Kind::available) dependencies_.present(result);
    if (!result.failed()) {
        failureLogged_ = false;
    } else if (!requested && !failureLogged_) {
        failureLogged_ = true;
        dependencies_.log("automatic update check failed: " +
                          (result.kind == UpdateCheckResult::Kind::unreachable ? result.reason
                                                                               : "the feed could not be read"));
    }
}

}  // namespace corvelle
