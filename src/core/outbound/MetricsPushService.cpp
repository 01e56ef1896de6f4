#include "outbound/MetricsPushService.h"

#include <algorithm>
#include <cmath>

namespace corvelle {

MetricsPushService::MetricsPushService(AppSettings& settings, std::shared_ptr<HttpClient> client,
                                       std::shared_ptr<Clock> clock, std::string instance, Log log)
    : settings_(settings),
      client_(std::move(client)),
      clock_(std::move(clock)),
      instance_(std::move(instance)),
      log_(std::move(log)) {}

std::string MetricsPushService::groupURL(std::string gateway, const std::string& instance) {
    while (!gateway.empty() && gateway.back() == '/') gateway.pop_back();
    return gateway + "/metrics/job/corvelle/instance/" + instance;
}

void MetricsPushService::tick(const PrometheusExposition::Figures& figures) {
    const double now = clock_->uptime();
    if (inFlight_ || (!pushDue_ && now < nextAttempt_)) return;
    const std::string gateway = settings_.metricsPushURL();
    if (gateway.empty()) {
        // Nothing owed to a gateway named later.
        failures_ = 0;
        pushDue_ = false;
        nextAttempt_ = now + unsetCheckInterval;
        return;
    }
    pushDue_ = false;
    inFlight_ = true;
    std::weak_ptr<bool> alive = alive_;
    client_->put(groupURL(gateway, instance_), {{"Content-Type", "text/plain; version=0.0.4"}},
                 PrometheusExposition::compose(figures), requestTimeoutSeconds, [this, alive](const HttpResult& result) {
                     if (alive.lock()) finished(result);
                 });
}

void MetricsPushService::finished(const HttpResult& result) {
    inFlight_ = false;
    const double now = clock_->uptime();
    if (result.succeeded()) {
        failures_ = 0;
        lastFailure_.clear();
        nextAttempt_ = now + pushInterval;
        return;
    }
    ++failures_;
    nextAttempt_ = now + std::min(firstRetryDelay * std::exp2(std::min(failures_ - 1, 16)), pushInterval);
    // The URL stays out of the message: it may carry a password.
    const std::string failure = result.status ? "HTTP status " + std::to_string(*result.status) : result.error;
    if (failure == lastFailure_) return;
    lastFailure_ = failure;
    if (log_) log_("pushing the metrics to the Pushgateway failed (" + failure + "); trying again later");
}

}  // namespace corvelle
