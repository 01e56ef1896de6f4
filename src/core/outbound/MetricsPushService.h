#pragma once

#include "outbound/PrometheusExposition.h"
#include "platform/Clock.h"
#include "platform/HttpClient.h"
#include "settings/AppSettings.h"

#include <functional>
#include <memory>
#include <string>

namespace corvelle {

// Pushes the metrics to the Pushgateway the settings name, and to none while they name none:
// every 5 minutes and at the first tick of a new day, as job "corvelle" and this machine's
// instance name, replacing the group's previous metrics. A failed push is tried again after
// 15 seconds, then after twice as long each time, up to 5 minutes. Driven by the monitor's
// ticks on the main thread: a tick at most composes the text and hands it to the HTTP client,
// whose request runs on its own thread; one push is in flight at a time. Times are uptime, so
// a machine that wakes from sleep pushes at its first tick.
class MetricsPushService {
public:
    static constexpr double pushInterval = 300;
    static constexpr double firstRetryDelay = 15;
    // How often the settings are looked at again while they name no gateway.
    static constexpr double unsetCheckInterval = 60;
    static constexpr double requestTimeoutSeconds = 10;

    using Log = std::function<void(const std::string&)>;

    // `instance` names this machine to the gateway (a hash, never a user name); `log` hears each
    // kind of failure once until a push succeeds.
    MetricsPushService(AppSettings& settings, std::shared_ptr<HttpClient> client, std::shared_ptr<Clock> clock,
                       std::string instance, Log log);

    // Pushes `figures` when a push is due and a gateway is named.
    void tick(const PrometheusExposition::Figures& figures);
    // Makes the next tick push: the daily results are new.
    void pushAtNextTick() { pushDue_ = true; }

    // Where a gateway at `gateway` keeps this machine's group.
    static std::string groupURL(std::string gateway, const std::string& instance);

private:
    void finished(const HttpResult& result);

    AppSettings& settings_;
    std::shared_ptr<HttpClient> client_;
    std::shared_ptr<Clock> clock_;
    std::string instance_;
    Log log_;
    double nextAttempt_ = 0;  // uptime
    bool pushDue_ = false;
    bool inFlight_ = false;
    int failures_ = 0;
    std::string lastFailure_;
    // Answers that come after the service is gone do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
