#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/MemoryKeyValueStore.h"

#include "support/FakeClock.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

using test::FixedSystemInfo;
using test::RecordingHttpClient;

// "8-4-4-4-12" upper-case hexadecimal digits, version 4, variant 10xx.
bool isUpperCaseUuid(const std::string& text) {
    if (text.size() != 36) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char c = text[i];
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return text[14] == '4' && std::string("89AB").find(text[19]) != std::string::npos;
}

CoreUsage core(int id, double usage) {
    CoreUsage result;
    result.coreIndex = id;
    result.usage = usage;
    return result;
}

TEST(FeedbackService, SystemInfoDescribesTheSnapshot) {
    struct Case {
        ThermalLevel level;
        std::uint64_t memory;
        const char* symbol;
        double gigabytes;
    };
    const Case cases[] = {{ThermalLevel::heavy, 17'179'869'184ULL, "flame.fill", 16.0},
                          {ThermalLevel::nominal, 18'000'000'000ULL, "checkmark.circle.fill", 16.7638},
                          {ThermalLevel::sleeping, 0, "xmark.octagon.fill", 0.0}};
    for (const auto& c : cases) {
        SystemStats stats;
        stats.thermalLevel = c.level;
        stats.memoryTotal = c.memory;
        stats.eCoreUsages = {core(0, 1), core(1, 2)};
        stats.pCoreUsages = {core(2, 3), core(3, 4), core(4, 5), core(5, 6)};
        stats.batteryPercentage = 62.5;
        const auto info = FeedbackService::collectSystemInfo(stats, FixedSystemInfo{});
        EXPECT_EQ(info.thermalState, c.symbol);
        EXPECT_NEAR(info.ramTotalGB, c.gigabytes, 1e-4);
        EXPECT_EQ(info.eCores, 2);
        EXPECT_EQ(info.pCores, 4);
        EXPECT_EQ(info.batteryPercentage, 62.5);
        EXPECT_EQ(info.osVersion, FixedSystemInfo{}.osVersion());
    }
}

TEST(FeedbackService, UsesTheProductionRouteAndRefusesUnencodableFigures) {
    RecordingHttpClient client;
    test::FakeClock clock;
    test::ManualEventLoop loop(clock);
    FixedSystemInfo machine;
    FeedbackService::Route route{client, loop, machine};
    std::optional<bool> sent;
    FeedbackService::send(route, FeedbackService::Category::bug, "hi", std::nullopt, [&](bool ok) { sent = ok; });
    ASSERT_EQ(client.calls.size(), 1u);
    EXPECT_EQ(client.calls[0].url, "https://telemetry.corvelle.app/feedback");
    EXPECT_EQ(client.calls[0].timeoutSeconds, 15);
    EXPECT_EQ(client.calls[0].headers, (HttpClient::Headers{{"Content-Type", "application/json"}}));

    // A battery figure that is not a number cannot be encoded: nothing is sent, and the
    // failure arrives later on the loop, not inside send.
    SystemStats stats;
    stats.batteryPercentage = NAN;
    FeedbackService::send(route, FeedbackService::Category::general, "x",
                          FeedbackService::collectSystemInfo(stats, machine), [&](bool ok) { sent = ok; });
    EXPECT_FALSE(sent.has_value());
    loop.runPosted();
    EXPECT_EQ(sent, false);
    EXPECT_EQ(client.calls.size(), 1u);
}

TEST(FeedbackService, CategoriesRoundTripTheirRawValues) {
    for (auto category : FeedbackService::allCases) {
        EXPECT_EQ(fromRaw<FeedbackService::Category>(toRaw(category)), category);
    }
    EXPECT_FALSE(fromRaw<FeedbackService::Category>("Bug"));
}

TEST(TelemetrySnapshot, FormatsEveryValueAsText) {
    SystemStats stats;
    stats.coreUsages = {core(0, 1), core(1, 1), core(2, 1)};
    stats.eCoreUsages = {core(0, 1)};
    stats.pCoreUsages = {core(1, 1), core(2, 1)};
    stats.memoryTotal = 17'179'869'184ULL + 600'000'000ULL;  // 16.56 GiB rounds to 17
    stats.batteryPercentage = 62.25;
    stats.batteryHealthPercent = 91.04;
    stats.batteryCycleCount = 412;
    stats.batteryMaxCapacityMAh = 4382;
    stats.batteryDesignCapacityMAh = 4790;
    stats.batteryIsCharging = true;
    stats.batteryIsPluggedIn = true;
    stats.batteryWatts = 9.15;
    stats.batteryAdapterWatts = 65;
    stats.cpuTotalUsage = 23.44;
    stats.totalPowerWatts = 7.96;
    stats.thermalLevel = ThermalLevel::moderate;
    stats.pCoreTemp = 61.5;
    stats.memoryPressure = 48.05;
    stats.topProcesses.resize(15);

    auto store = std::make_shared<MemoryKeyValueStore>();
    AppSettings settings(store, nullptr);
    settings.setPollingInterval(5);
    auto clock = std::make_shared<test::FakeClock>();
    TelemetryService service(settings, std::make_shared<RecordingHttpClient>(), FixedSystemInfo{}, clock);

    const std::map<std::string, std::string> expected{
        {"machine_model", FixedSystemInfo{}.machineModel()}, {"cpu_cores", "3"},          {"e_cores", "1"},
        {"p_cores", "2"},                 {"ram_gb", "17"},            {"battery_percent", "62.2"},
        {"battery_health", "91.0"},       {"battery_cycles", "412"},   {"battery_max_mah", "4382"},
        {"battery_design_mah", "4790"},   {"battery_charging", "1"},   {"battery_plugged", "1"},
        {"battery_watts", "9.2"},         {"adapter_watts", "65"},     {"cpu_usage", "23.4"},
        {"power_watts", "8.0"},           {"thermal", "exclamationmark.triangle.fill"},
        {"p_core_temp", "62"},            {"mem_pressure", "48.0"},    {"poll_interval", "5.0"},
        {"process_count", "15"}};
    EXPECT_EQ(service.snapshot(stats, settings).asDictionary(), expected);

    // A machine without a battery sends zeros.
    const auto bare = service.snapshot(SystemStats{}, settings).asDictionary();
    for (const auto& [key, value] : std::map<std::string, std::string>{{"battery_charging", "0"},
                                                                         {"battery_plugged", "0"},
                                                                         {"battery_cycles", "0"},
                                                                         {"battery_percent", "0.0"},
                                                                         {"battery_max_mah", "0"},
                                                                         {"adapter_watts", "0"}}) {
        EXPECT_EQ(bare.at(key), value) << key;
    }
}

TEST(TelemetryService, KeepsOneDeviceIdPerInstallation) {
    auto store = std::make_shared<MemoryKeyValueStore>();
    AppSettings settings(store, nullptr);
    auto clock = std::make_shared<test::FakeClock>();
    auto client = std::make_shared<RecordingHttpClient>();
    const auto first = TelemetryService(settings, client, FixedSystemInfo{}, clock).deviceId();
    EXPECT_TRUE(isUpperCaseUuid(first)) << first;
    EXPECT_EQ(store->readString(AppSettings::deviceIdKey), first);
    EXPECT_EQ(TelemetryService(settings, client, FixedSystemInfo{}, clock).deviceId(), first);

    store->remove(AppSettings::deviceIdKey);
    const auto renewed = TelemetryService(settings, client, FixedSystemInfo{}, clock).deviceId();
    EXPECT_NE(renewed, first);
    EXPECT_TRUE(isUpperCaseUuid(renewed)) << renewed;
}

TEST(TelemetryService, PostsToTheEventsEndpointWithItsTimeout) {
    auto store = std::make_shared<MemoryKeyValueStore>();
    AppSettings settings(store, nullptr);
    settings.setTelemetryEnabled(true);
    auto client = std::make_shared<RecordingHttpClient>();
    TelemetryService service(settings, client, FixedSystemInfo{}, std::make_shared<test::FakeClock>());
    service.sendLaunch(service.snapshot(SystemStats{}, settings));
    ASSERT_TRUE(service.finish(5));
    ASSERT_EQ(client->calls.size(), 1u);
    EXPECT_EQ(client->calls[0].url, "https://telemetry.corvelle.app/events");
    EXPECT_EQ(client->calls[0].timeoutSeconds, 10);
    EXPECT_EQ(client->calls[0].headers, (HttpClient::Headers{{"Content-Type", "application/json"}}));
}

}  // namespace
}  // namespace corvelle
