#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/Constants.h"
#include "settings/MemoryKeyValueStore.h"
#include "util/Iso8601.h"

#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace corvelle {
namespace {

using test::FixedSystemInfo;
using test::RecordingHttpClient;

struct Outbound : ::testing::Test {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    test::ManualEventLoop loop{*clock};
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::shared_ptr<RecordingHttpClient> client = std::make_shared<RecordingHttpClient>();
    FixedSystemInfo machine;

    TelemetryService telemetry() { return TelemetryService(settings, client, machine, clock); }
};

TEST_F(Outbound, FeedbackThatCannotBeEncodedFailsLaterWithoutSending) {
    std::optional<bool> sent;
    FeedbackService::send({*client, loop, machine}, FeedbackService::Category::general, "x",
                          FeedbackService::collectSystemInfo(test::StatsBuilder().battery(NAN), machine),
                          [&](bool ok) { sent = ok; });
    EXPECT_FALSE(sent.has_value());
    loop.runPosted();
    EXPECT_EQ(sent, false);
    EXPECT_TRUE(client->recorded().empty());
}

TEST_F(Outbound, FeedbackBodyCarriesExactlyTheSpecifiedKeysInOrder) {
    const std::string message = "Dark \"mode\", please ✓";
    SystemStats stats = test::StatsBuilder().cores(2, 4).memory(0, 17'179'869'184ULL);
    stats.thermalLevel = ThermalLevel::heavy;
    for (const auto& info : {std::optional<FeedbackService::SystemInfo>(),
                             std::optional(FeedbackService::collectSystemInfo(stats, machine))}) {
        FeedbackService::send({*client, loop, machine, "https://feedback.test/in"}, FeedbackService::Category::feature,
                              message, info, [](bool) {});
    }
    nlohmann::ordered_json bare{{"category", "feature"}, {"message", message},
                                {"appVersion", Constants::version()}, {"osVersion", machine.osVersion()}};
    auto full = bare;
    full["systemInfo"] = {{"eCores", 2}, {"pCores", 4}, {"thermalState", "flame.fill"}, {"batteryPercentage", 0.0},
                          {"ramTotalGB", 16.0}, {"appVersion", Constants::version()}, {"osVersion", machine.osVersion()}};
    const auto calls = client->recorded();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(std::tie(calls[0].url, calls[0].headers, calls[0].body, calls[1].body),
              std::make_tuple("https://feedback.test/in", HttpClient::Headers{{"Content-Type", "application/json"}}, bare.dump(), full.dump()));
}

// Nothing is sent while disabled, and turning telemetry on later allows a heartbeat at once.
TEST_F(Outbound, TelemetryLaunchHeartbeatAndEndCarryTheirMetadataOnceEnabled) {
    clock->setUptime(5400.4);
    const double launch = clock->now();
    auto service = telemetry();
    const auto snapshot = service.snapshot(SystemStats{}, settings);
    service.sendLaunch(snapshot);
    service.sendHeartbeatIfNeeded(snapshot);
    service.sendEnd(snapshot);
    settings.setTelemetryEnabled(true);
    service.sendHeartbeatIfNeeded(snapshot);
    service.sendLaunch(snapshot);
    clock->advance(1799);
    service.sendHeartbeatIfNeeded(snapshot);  // too early
    clock->advance(1);
    service.sendHeartbeatIfNeeded(snapshot);
    clock->advance(600);
    service.sendEnd(snapshot);
    ASSERT_TRUE(service.finish(5));

    const std::tuple<const char*, const char*, const char*, const char*, double> expected[] = {
        {"session_heartbeat", "heartbeat", "session_minutes", "0", launch},
        {"app_launch", "launch", "uptime_seconds", "5400", launch},
        {"session_heartbeat", "heartbeat", "session_minutes", "30", launch + 1800},
        {"session_end", "end", "session_minutes", "40", launch + 2400}};
    const auto calls = client->recorded();
    ASSERT_EQ(calls.size(), std::size(expected));
    for (size_t i = 0; i < calls.size(); ++i) {
        const auto& [name, type, extraKey, extraValue, timestamp] = expected[i];
        auto metadata = snapshot.asDictionary();
        metadata["event_type"] = type;
        metadata[extraKey] = extraValue;
        EXPECT_EQ(nlohmann::json::parse(calls[i].body),
                  (nlohmann::json{{"event", name}, {"appVersion", Constants::version()},
                                  {"osVersion", machine.osVersion()}, {"deviceId", service.deviceId()},
                                  {"timestamp", Iso8601::format(timestamp)}, {"metadata", metadata}}));
    }
}

TEST_F(Outbound, TelemetrySnapshotFormatsEveryValueAsText) {
    SystemStats stats = test::StatsBuilder().cores(1, 2).memory(0, 17'779'869'184ULL)  // 16.56 GiB
                            .battery(62.25, test::Power::battery, 9.15).cpu(23.44);
    stats.batteryHealthPercent = 91.04;
    stats.batteryCycleCount = 412;
    stats.batteryMaxCapacityMAh = 4382;
    stats.batteryDesignCapacityMAh = 4790;
    stats.batteryIsCharging = true;  // but not plugged in: the two flags are sent apart
    stats.batteryAdapterWatts = 65;
    stats.totalPowerWatts = 7.96;
    stats.thermalLevel = ThermalLevel::moderate;
    stats.pCoreTemp = 61.5;
    stats.memoryPressure = 48.05;
    stats.topProcesses.resize(15);
    settings.setPollingInterval(5);

    const std::map<std::string, std::string> expected{
        {"machine_model", machine.machineModel()}, {"cpu_cores", "3"},         {"e_cores", "1"},
        {"p_cores", "2"},                          {"ram_gb", "17"},           {"battery_percent", "62.2"},
        {"battery_health", "91.0"},                {"battery_cycles", "412"},  {"battery_max_mah", "4382"},
        {"battery_design_mah", "4790"},            {"battery_charging", "1"},  {"battery_plugged", "0"},
        {"battery_watts", "9.2"},                  {"adapter_watts", "65"},    {"cpu_usage", "23.4"},
        {"power_watts", "8.0"},                    {"thermal", "exclamationmark.triangle.fill"},
        {"p_core_temp", "62"},                     {"mem_pressure", "48.0"},   {"poll_interval", "5.0"},
        {"process_count", "15"}};
    const auto service = telemetry();
    EXPECT_EQ(service.snapshot(stats, settings).asDictionary(), expected);
}

TEST_F(Outbound, TelemetryKeepsOneUpperCaseDeviceIdPerInstallation) {
    // A random (version 4) UUID in upper case: 8-4-4-4-12 hex digits, the version 4, the variant 8 to B.
    const auto isUuid = [](const std::string& text) {
        return text.size() == 36 && std::ranges::count(text, '-') == 4 && text[8] == '-' && text[13] == '-' && text[18] == '-' &&
               text[23] == '-' && text.find_first_not_of("0123456789ABCDEF-") == std::string::npos && text[14] == '4' &&
               std::string_view("89AB").find(text[19]) != std::string_view::npos;
    };
    const auto first = telemetry().deviceId();
    EXPECT_TRUE(isUuid(first)) << first;
    EXPECT_EQ(telemetry().deviceId(), first);

    settings.store().remove(AppSettings::deviceIdKey);
    const auto renewed = telemetry().deviceId();
    EXPECT_NE(renewed, first);
    EXPECT_TRUE(isUuid(renewed)) << renewed;
}

}  // namespace
}  // namespace corvelle
