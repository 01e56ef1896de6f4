#pragma once

#include "model/SystemStats.h"
#include "platform/Clock.h"
#include "platform/HttpClient.h"
#include "platform/SystemInfo.h"
#include "settings/AppSettings.h"
#include "util/SerialQueue.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// Anonymous usage events, sent only while the user has opted in: one at launch, a heartbeat
// at most every 30 minutes while the panel is open, and one at quit. Fire and forget: answers
// are ignored, nothing is retried. The public calls are made on the main thread; the event
// work runs one item at a time on the service's own worker.
class TelemetryService {
public:
    static constexpr std::string_view endpoint = "https://telemetry.corvelle.app/events";
    static constexpr double requestTimeoutSeconds = 10;
    static constexpr double heartbeatInterval = 1800;

    struct Event {
        std::string event;
        std::string appVersion;
        std::string osVersion;
        std::string deviceId;
        double timestamp = 0;  // seconds since 1970, sent as ISO 8601 text
        std::map<std::string, std::string> metadata;

        nlohmann::ordered_json toJson() const;
    };

    // The machine and its state as the event metadata sends them: every value as text,
    // booleans "1"/"0", figures with fixed decimals.
    struct SystemSnapshot {
        std::map<std::string, std::string> values;

        const std::map<std::string, std::string>& asDictionary() const { return values; }
    };

    // `machine` is asked once, here. `endpoint` is the production one unless a test injects its own.
    TelemetryService(AppSettings& settings, std::shared_ptr<HttpClient> client, const SystemInfo& machine,
                     std::shared_ptr<Clock> clock, std::string url = std::string(endpoint));

    // The app's one instance, installed once in main before its first use. The installer keeps it
    // alive (main until it returns); once it is gone this is null and callers send nothing.
    static std::shared_ptr<TelemetryService> shared();
    static void installShared(const std::shared_ptr<TelemetryService>& service);

    SystemSnapshot snapshot(const SystemStats& stats, const AppSettings& settings) const;
    SystemSnapshot snapshot(const SystemStats& stats, double pollingInterval) const;

    // Each reads telemetryEnabled now and does nothing when it is off.
    void sendLaunch(const SystemSnapshot& stats);
    void sendHeartbeatIfNeeded(const SystemSnapshot& stats);
    // True when a heartbeat may go now (heartbeatInterval after the previous one or the launch),
    // so that callers build its snapshot only then.
    bool heartbeatDue() const;
    void sendEnd(const SystemSnapshot& stats);

    // Waits at most `seconds` for queued events to be handed to the network and for the
    // requests in flight to finish. True when all is done. For the quit path.
    bool finish(double seconds);

    // The installation identifier from the settings store, created on first need.
    std::string deviceId();

private:
    enum class Kind { launch, heartbeat, end };
    // When an event was asked for: wall time for its timestamp, uptime for spacing and durations.
    struct Moment {
        double wall;
        double uptime;
    };
    void enqueue(Kind kind, const SystemSnapshot& stats);
    void handle(Kind kind, Moment moment, std::map<std::string, std::string> metadata, const std::string& deviceId);
    void post(const Event& event);

    AppSettings& settings_;
    std::shared_ptr<HttpClient> client_;
    std::shared_ptr<Clock> clock_;
    std::string url_;
    std::string machineModel_;
    std::string osVersion_;
    // Spacing and session length are measured on uptime, which setting the wall clock cannot move.
    std::optional<double> lastHeartbeatUptime_;  // main thread
    double sessionStartUptime_;                  // worker
    SerialQueue queue_;  // last: joined before the state above goes away
};

}  // namespace corvelle
