#include "outbound/TelemetryService.h"

#include "settings/Constants.h"
#include "util/Format.h"
#include "util/InstalledOnce.h"
#include "util/Iso8601.h"
#include "util/JsonText.h"

#include <array>
#include <chrono>
#include <random>

namespace corvelle {
namespace {

static_assert(TelemetryService::endpoint.starts_with("https://"), "events travel over HTTPS only");
static_assert(TelemetryService::endpoint.ends_with("/events"));

constexpr double bytesPerGiB = 1'073'741'824.0;

InstalledOnce<std::weak_ptr<TelemetryService>>& sharedInstance() {
    static InstalledOnce<std::weak_ptr<TelemetryService>> instance("TelemetryService::shared");
    return instance;
}

// A random (version 4) UUID in its canonical upper-case form.
std::string randomUuid() {
    std::random_device device;
    std::array<unsigned char, 16> bytes;
    for (auto& byte : bytes) byte = static_cast<unsigned char>(device());
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += formatString("%02X", bytes[i]);
    }
    return text;
}

std::string count(std::int64_t value) { return std::to_string(value); }
std::string flag(bool value) { return value ? "1" : "0"; }
std::string whole(double value) { return formatString("%.0f", value); }
std::string oneDecimal(double value) { return formatString("%.1f", value); }

std::string size(size_t value) { return std::to_string(value); }

// The snapshot's keys and how each is figured from the live figures.
struct SnapshotField {
    const char* key;
    std::string (*value)(const SystemStats&);
};
constexpr SnapshotField kSnapshotFields[] = {
    {"cpu_cores", [](const SystemStats& s) { return size(s.coreUsages.size()); }},
    {"e_cores", [](const SystemStats& s) { return size(s.eCoreUsages.size()); }},
    {"p_cores", [](const SystemStats& s) { return size(s.pCoreUsages.size()); }},
    {"ram_gb", [](const SystemStats& s) { return whole(static_cast<double>(s.memoryTotal) / bytesPerGiB); }},
    {"battery_percent", [](const SystemStats& s) { return oneDecimal(s.batteryPercentage.value_or(0)); }},
    {"battery_health", [](const SystemStats& s) { return oneDecimal(s.batteryHealthPercent); }},
    {"battery_cycles", [](const SystemStats& s) { return count(s.batteryCycleCount); }},
    {"battery_max_mah", [](const SystemStats& s) { return count(s.batteryMaxCapacityMAh); }},
    {"battery_design_mah", [](const SystemStats& s) { return count(s.batteryDesignCapacityMAh); }},
    {"battery_charging", [](const SystemStats& s) { return flag(s.batteryIsCharging); }},
    {"battery_plugged", [](const SystemStats& s) { return flag(s.batteryIsPluggedIn); }},
    {"battery_watts", [](const SystemStats& s) { return oneDecimal(s.batteryWatts); }},
    {"adapter_watts", [](const SystemStats& s) { return count(s.batteryAdapterWatts); }},
    {"cpu_usage", [](const SystemStats& s) { return oneDecimal(s.cpuTotalUsage); }},
    {"power_watts", [](const SystemStats& s) { return oneDecimal(s.totalPowerWatts); }},
    {"thermal", [](const SystemStats& s) { return thermalSymbol(s.thermalLevel); }},
    {"p_core_temp", [](const SystemStats& s) { return whole(s.pCoreTemp); }},
    {"mem_pressure", [](const SystemStats& s) { return oneDecimal(s.memoryPressure); }},
    {"process_count", [](const SystemStats& s) { return size(s.topProcesses.size()); }},
};

}  // namespace

nlohmann::ordered_json TelemetryService::Event::toJson() const {
    return {{"event", event},   {"appVersion", appVersion},           {"osVersion", osVersion},
            {"deviceId", deviceId}, {"timestamp", Iso8601::format(timestamp)}, {"metadata", metadata}};
}

TelemetryService::TelemetryService(AppSettings& settings, std::shared_ptr<HttpClient> client,
                                   const SystemInfo& machine, std::shared_ptr<Clock> clock, std::string url)
    : settings_(settings),
      client_(std::move(client)),
      clock_(std::move(clock)),
      url_(std::move(url)),
      machineModel_(machine.machineModel()),
      osVersion_(machine.osVersion()),
      sessionStartUptime_(clock_->uptime()) {}

std::shared_ptr<TelemetryService> TelemetryService::shared() { return sharedInstance().get().lock(); }

void TelemetryService::installShared(const std::shared_ptr<TelemetryService>& service) {
    sharedInstance().install(service);
}

TelemetryService::SystemSnapshot TelemetryService::snapshot(const SystemStats& stats,
                                                            const AppSettings& settings) const {
    return snapshot(stats, settings.pollingInterval());
}

TelemetryService::SystemSnapshot TelemetryService::snapshot(const SystemStats& stats, double pollingInterval) const {
    SystemSnapshot snapshot{{{"machine_model", machineModel_}, {"poll_interval", oneDecimal(pollingInterval)}}};
    for (const auto& [key, value] : kSnapshotFields) snapshot.values.emplace(key, value(stats));
    return snapshot;
}

std::string TelemetryService::deviceId() {
    auto& store = settings_.store();
    if (auto stored = store.readString(AppSettings::deviceIdKey)) return *stored;
    auto created = randomUuid();
    store.write(AppSettings::deviceIdKey, created);
    return created;
}

void TelemetryService::sendLaunch(const SystemSnapshot& stats) { enqueue(Kind::launch, stats); }
void TelemetryService::sendHeartbeatIfNeeded(const SystemSnapshot& stats) {
    if (heartbeatDue()) enqueue(Kind::heartbeat, stats);
}

bool TelemetryService::heartbeatDue() const {
    if (!settings_.telemetryEnabled()) return false;
    return !lastHeartbeatUptime_ || clock_->uptime() - *lastHeartbeatUptime_ >= heartbeatInterval;
}
void TelemetryService::sendEnd(const SystemSnapshot& stats) { enqueue(Kind::end, stats); }

bool TelemetryService::finish(double seconds) {
    const auto start = std::chrono::steady_clock::now();
    if (!queue_.waitUntilEmpty(seconds)) return false;
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return client_->waitUntilIdle(seconds - spent.count());
}

// The setting, the settings store and the clock are read here, on the main thread, when the
// event is asked for; the rest of the work happens on the worker.
void TelemetryService::enqueue(Kind kind, const SystemSnapshot& stats) {
    if (!settings_.telemetryEnabled()) return;
    const Moment moment{clock_->now(), clock_->uptime()};
    if (kind != Kind::end) lastHeartbeatUptime_ = moment.uptime;
    queue_.async([this, kind, moment, metadata = stats.asDictionary(), id = deviceId()]() mutable {
        handle(kind, moment, std::move(metadata), id);
    });
}

void TelemetryService::handle(Kind kind, Moment moment, std::map<std::string, std::string> metadata,
                              const std::string& deviceId) {
    const auto sessionMinutes = [&] { return whole((moment.uptime - sessionStartUptime_) / 60); };
    std::string name;
    switch (kind) {
        case Kind::launch:
            sessionStartUptime_ = moment.uptime;
            metadata["event_type"] = "launch";
            metadata["uptime_seconds"] = whole(moment.uptime);
            name = "app_launch";
            break;
        case Kind::heartbeat:
            metadata["event_type"] = "heartbeat";
            metadata["session_minutes"] = sessionMinutes();
            name = "session_heartbeat";
            break;
        case Kind::end:
            metadata["event_type"] = "end";
            metadata["session_minutes"] = sessionMinutes();
            name = "session_end";
            break;
    }
    post(Event{name, Constants::version(), osVersion_, deviceId, moment.wall, std::move(metadata)});
}

void TelemetryService::post(const Event& event) {
    auto body = JsonText::encodeOrdered(event.toJson());
    if (!body) return;
    client_->post(url_, {{"Content-Type", "application/json"}}, std::move(*body), requestTimeoutSeconds,
                  [](HttpResult) {});
}

}  // namespace corvelle
