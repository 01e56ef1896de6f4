#include "linux/CurlHttpClient.h"
#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/Constants.h"
#include "settings/MemoryKeyValueStore.h"
#include "util/Iso8601.h"

#include "LocalHttpServer.h"
#include "support/FakeOutbound.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

namespace corvelle {
namespace {

using Clock = std::chrono::steady_clock;

using test::FixedSystemInfo;

std::vector<std::string> keysOf(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

// A loopback port with nobody listening.
int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

class Outbound : public ::testing::Test {
protected:
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    test::LocalHttpServer server;
    std::shared_ptr<CurlHttpClient> client = std::make_shared<CurlHttpClient>(loop);
    FixedSystemInfo machine;
};

class Feedback : public Outbound {
protected:
    // Sends and waits for the answer.
    std::optional<bool> send(const std::string& url, const std::optional<FeedbackService::SystemInfo>& info,
                             double timeout = 5) {
        std::optional<bool> result;
        FeedbackService::send({*client, *loop, machine, url, timeout}, FeedbackService::Category::feature,
                              "Dark \"mode\", please ✓", info, [&](bool ok) { result = ok; });
        EXPECT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        return result;
    }
};

TEST_F(Feedback, BodyCarriesExactlyTheSpecifiedKeys) {
    SystemStats stats;
    stats.thermalLevel = ThermalLevel::heavy;
    stats.memoryTotal = 17'179'869'184ULL;
    ASSERT_EQ(send(server.url("/feedback"), std::nullopt), true);
    ASSERT_EQ(send(server.url("/feedback"), FeedbackService::collectSystemInfo(stats, machine)), true);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/feedback");
    EXPECT_EQ(requests[0].contentType, "application/json");
    const auto bare = nlohmann::ordered_json::parse(requests[0].body);
    EXPECT_EQ(keysOf(bare), (std::vector<std::string>{"category", "message", "appVersion", "osVersion"}));
    EXPECT_EQ(bare["category"], "feature");
    EXPECT_EQ(bare["message"], "Dark \"mode\", please ✓");
    EXPECT_EQ(bare["appVersion"], Constants::version());
    EXPECT_EQ(bare["osVersion"], machine.osVersion());

    const auto full = nlohmann::ordered_json::parse(requests[1].body);
    EXPECT_EQ(keysOf(full), (std::vector<std::string>{"category", "message", "appVersion", "osVersion", "systemInfo"}));
    EXPECT_EQ(keysOf(full["systemInfo"]), (std::vector<std::string>{"eCores", "pCores", "thermalState",
                                                                      "batteryPercentage", "ramTotalGB", "appVersion",
                                                                      "osVersion"}));
    EXPECT_EQ(full["systemInfo"]["thermalState"], "flame.fill");
    EXPECT_EQ(full["systemInfo"]["ramTotalGB"], 16.0);
}

TEST_F(Feedback, OnlyA2xxAnswerCountsAsSent) {
    const std::pair<int, bool> cases[] = {{200, true}, {204, true}, {299, true},  {301, false},
                                          {304, false}, {400, false}, {500, false}};
    for (const auto& [status, accepted] : cases) {
        server.setStatus(status);
        EXPECT_EQ(send(server.url("/feedback"), std::nullopt), accepted) << status;
    }
    // The redirect was not followed.
    EXPECT_EQ(server.requests().size(), std::size(cases));
    EXPECT_EQ(send("http://127.0.0.1:" + std::to_string(closedPort()) + "/feedback", std::nullopt), false);
}

TEST_F(Feedback, RefusesAnythingButHttpsOrLoopbackHttp) {
    // Every URL here stays on this machine even if the rule were broken.
    for (const char* url : {"http://localhost:9/feedback", "http://127.0.0.1:9@localhost:9/feedback",
                            "http://127.0.0.2:9/feedback", "ftp://127.0.0.1:9/feedback", "not a url"}) {
        std::optional<HttpResult> result;
        client->post(url, {}, "{}", 5, [&](HttpResult r) { result = r; });
        ASSERT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        EXPECT_FALSE(result->status) << url;
        EXPECT_NE(result->error.find("URL"), std::string::npos) << url << ": " << result->error;
    }
}

TEST_F(Feedback, AnUntrustedCertificateIsAFailure) {
    test::LocalHttpServer tlsServer(/*tls=*/true);
    EXPECT_EQ(send(tlsServer.url("/feedback"), std::nullopt), false);
    EXPECT_TRUE(tlsServer.requests().empty());
}

TEST_F(Feedback, AServerThatNeverAnswersFailsAfterTheTimeOut) {
    server.setStalled(true);
    const auto start = Clock::now();
    EXPECT_EQ(send(server.url("/feedback"), std::nullopt, 0.3), false);
    const std::chrono::duration<double> took = Clock::now() - start;
    EXPECT_GE(took.count(), 0.29);
    EXPECT_LT(took.count(), 3.0);
}

class Telemetry : public Outbound {
protected:
    Telemetry() { settings.setTelemetryEnabled(true); }

    TelemetryService::SystemSnapshot snapshot() { return service->snapshot(SystemStats{}, settings); }
    std::vector<nlohmann::json> bodies() {
        std::vector<nlohmann::json> result;
        for (const auto& request : server.requests()) result.push_back(nlohmann::json::parse(request.body));
        return result;
    }

    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::unique_ptr<TelemetryService> service =
        std::make_unique<TelemetryService>(settings, client, machine, clock, server.url("/events"));
};

TEST_F(Telemetry, SendsNothingWhileDisabled) {
    settings.setTelemetryEnabled(false);
    service->sendLaunch(snapshot());
    service->sendHeartbeatIfNeeded(snapshot());
    service->sendEnd(snapshot());
    ASSERT_TRUE(service->finish(5));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(Telemetry, LaunchHeartbeatAndEndCarryTheirMetadata) {
    clock->setUptime(5400.4);
    service->sendLaunch(snapshot());
    ASSERT_TRUE(service->finish(5));
    const double launchTime = clock->now();
    clock->advance(1799);
    service->sendHeartbeatIfNeeded(snapshot());  // too early
    ASSERT_TRUE(service->finish(5));
    clock->advance(1);
    service->sendHeartbeatIfNeeded(snapshot());
    ASSERT_TRUE(service->finish(5));
    clock->advance(600);
    service->sendEnd(snapshot());
    ASSERT_TRUE(service->finish(5));

    const auto events = bodies();
    ASSERT_EQ(events.size(), 3u);
    struct Expected {
        const char* name;
        const char* type;
        const char* extraKey;
        const char* extraValue;
        double timestamp;
    };
    const Expected expected[] = {{"app_launch", "launch", "uptime_seconds", "5400", launchTime},
                                 {"session_heartbeat", "heartbeat", "session_minutes", "30", launchTime + 1800},
                                 {"session_end", "end", "session_minutes", "40", launchTime + 2400}};
    const auto deviceId = settings.store().readString(AppSettings::deviceIdKey);
    ASSERT_TRUE(deviceId);
    auto snapshotKeys = snapshot().asDictionary();
    for (size_t i = 0; i < events.size(); ++i) {
        const auto& event = events[i];
        EXPECT_EQ(event["event"], expected[i].name);
        EXPECT_EQ(event["deviceId"], *deviceId);
        EXPECT_EQ(event["appVersion"], Constants::version());
        EXPECT_EQ(event["osVersion"], machine.osVersion());
        ASSERT_TRUE(event["timestamp"].is_string());
        EXPECT_EQ(event["timestamp"], Iso8601::format(expected[i].timestamp));
        auto metadata = event["metadata"].get<std::map<std::string, std::string>>();
        EXPECT_EQ(metadata["event_type"], expected[i].type);
        EXPECT_EQ(metadata[expected[i].extraKey], expected[i].extraValue);
        EXPECT_EQ(metadata.size(), snapshotKeys.size() + 2);
        for (const auto& [key, value] : snapshotKeys) EXPECT_EQ(metadata[key], value) << key;
    }
}

TEST_F(Telemetry, TurningTelemetryOnLaterAllowsAHeartbeatAtOnce) {
    settings.setTelemetryEnabled(false);
    service->sendLaunch(snapshot());
    settings.setTelemetryEnabled(true);
    service->sendHeartbeatIfNeeded(snapshot());
    ASSERT_TRUE(service->finish(5));
    clock->advance(60);
    service->sendHeartbeatIfNeeded(snapshot());
    ASSERT_TRUE(service->finish(5));
    const auto events = bodies();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]["event"], "session_heartbeat");
}

TEST_F(Telemetry, QuittingWhileTheServerStallsTakesAboutASecond) {
    server.setStalled(true);
    const auto start = Clock::now();
    service->sendEnd(snapshot());
    EXPECT_FALSE(service->finish(1.0));
    service.reset();
    client.reset();
    const std::chrono::duration<double> took = Clock::now() - start;
    EXPECT_GE(took.count(), 0.9);
    EXPECT_LT(took.count(), 2.0);
    EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace corvelle
