#include "linux/CurlHttpClient.h"
#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/Constants.h"
#include "settings/MemoryKeyValueStore.h"
#include "util/Iso8601.h"

#include "LocalHttpServer.h"
#include "support/FakeOutbound.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvelle {
namespace {

using Clock = std::chrono::steady_clock;

using test::FixedSystemInfo;

class Outbound : public ::testing::Test {
protected:
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    test::LocalHttpServer server;
    std::shared_ptr<CurlHttpClient> client = std::make_shared<CurlHttpClient>(loop);
    FixedSystemInfo machine;
};

TEST_F(Outbound, GetKeepsTheBodyUpToItsLimit) {
    const std::string feed = R"({"version":"9.0"})";
    server.setBody(feed);
    const struct {
        const char* path;
        int status;
        size_t limit;
        std::optional<int> answered;  // absent: refused as too large
    } cases[] = {{"/feed.json", 200, feed.size(), 200}, {"/feed.json", 404, 1024, 404},
                 {"/feed.json", 200, feed.size() - 1, std::nullopt}, {"/chunked", 200, feed.size(), 200},
                 {"/chunked", 200, feed.size() - 1, std::nullopt}};
    for (const auto& c : cases) {
        server.setStatus(c.status);
        std::optional<HttpResult> result;
        client->get(server.url(c.path), {}, 5, c.limit, [&](HttpResult r) { result = std::move(r); });
        ASSERT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        EXPECT_EQ(result->status, c.answered) << c.path << " " << c.limit << ": " << result->error;
        if (c.answered == 200) {
            EXPECT_EQ(result->body, feed);
        }
        if (!c.answered) {
            EXPECT_NE(result->error.find("larger than"), std::string::npos) << result->error;
        }
    }
}

class Feedback : public Outbound {
protected:
    const std::string message = "Dark \"mode\", please ✓";

    // Sends and waits for the answer.
    std::optional<bool> send(const std::string& url, const std::optional<FeedbackService::SystemInfo>& info,
                             double timeout = 5) {
        std::optional<bool> result;
        FeedbackService::send({*client, *loop, machine, url, timeout}, FeedbackService::Category::feature,
                              message, info, [&](bool ok) { result = ok; });
        EXPECT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        return result;
    }
};

TEST_F(Feedback, BodyCarriesExactlyTheSpecifiedKeysInOrder) {
    SystemStats stats;
    stats.thermalLevel = ThermalLevel::heavy;
    stats.memoryTotal = 17'179'869'184ULL;
    ASSERT_EQ(send(server.url("/feedback"), std::nullopt), true);
    ASSERT_EQ(send(server.url("/feedback"), FeedbackService::collectSystemInfo(stats, machine)), true);

    nlohmann::ordered_json bare{{"category", "feature"},
                                {"message", message},
                                {"appVersion", Constants::version()},
                                {"osVersion", machine.osVersion()}};
    auto full = bare;
    full["systemInfo"] = {{"eCores", 0},         {"pCores", 0},
                          {"thermalState", "flame.fill"}, {"batteryPercentage", 0.0},
                          {"ramTotalGB", 16.0},  {"appVersion", Constants::version()},
                          {"osVersion", machine.osVersion()}};
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/feedback");
    EXPECT_EQ(requests[0].contentType, "application/json");
    EXPECT_EQ(requests[0].body, bare.dump());
    EXPECT_EQ(requests[1].body, full.dump());
}

TEST_F(Feedback, OnlyA2xxAnswerFromATrustedServerCountsAsSent) {
    const std::pair<int, bool> cases[] = {{200, true}, {204, true}, {299, true},  {301, false},
                                          {304, false}, {400, false}, {500, false}};
    for (const auto& [status, accepted] : cases) {
        server.setStatus(status);
        EXPECT_EQ(send(server.url("/feedback"), std::nullopt), accepted) << status;
    }
    // The redirect was not followed.
    EXPECT_EQ(server.requests().size(), std::size(cases));
    const std::string nobodyListens = test::LocalHttpServer().url("/feedback");  // its port closes with it
    EXPECT_EQ(send(nobodyListens, std::nullopt), false);
    test::LocalHttpServer untrusted(/*tls=*/true);
    EXPECT_EQ(send(untrusted.url("/feedback"), std::nullopt), false);
    EXPECT_TRUE(untrusted.requests().empty());
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

TEST_F(Telemetry, LaunchHeartbeatAndEndCarryTheirMetadata) {
    clock->setUptime(5400.4);
    const double launchTime = clock->now();
    service->sendLaunch(snapshot());
    clock->advance(1799);
    service->sendHeartbeatIfNeeded(snapshot());  // too early
    clock->advance(1);
    service->sendHeartbeatIfNeeded(snapshot());
    clock->advance(600);
    service->sendEnd(snapshot());
    ASSERT_TRUE(service->finish(5));

    const std::tuple<const char*, const char*, const char*, const char*, double> expected[] = {
        {"app_launch", "launch", "uptime_seconds", "5400", launchTime},
        {"session_heartbeat", "heartbeat", "session_minutes", "30", launchTime + 1800},
        {"session_end", "end", "session_minutes", "40", launchTime + 2400}};
    // Requests run concurrently and may arrive in any order.
    auto events = bodies();
    std::sort(events.begin(), events.end(),
              [](const auto& a, const auto& b) { return a["timestamp"] < b["timestamp"]; });
    ASSERT_EQ(events.size(), std::size(expected));
    const auto deviceId = settings.store().readString(AppSettings::deviceIdKey);
    for (size_t i = 0; i < events.size(); ++i) {
        const auto& [name, type, extraKey, extraValue, timestamp] = expected[i];
        auto metadata = snapshot().asDictionary();
        metadata["event_type"] = type;
        metadata[extraKey] = extraValue;
        EXPECT_EQ(events[i], (nlohmann::json{{"event", name},
                                             {"appVersion", Constants::version()},
                                             {"osVersion", machine.osVersion()},
                                             {"deviceId", deviceId.value_or("?")},
                                             {"timestamp", Iso8601::format(timestamp)},
                                             {"metadata", metadata}}));
    }
}

// Nothing is sent while disabled, and turning telemetry on later allows a heartbeat at once.
TEST_F(Telemetry, SendsNothingWhileDisabledAndAHeartbeatOnceEnabled) {
    settings.setTelemetryEnabled(false);
    service->sendLaunch(snapshot());
    service->sendHeartbeatIfNeeded(snapshot());
    service->sendEnd(snapshot());
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
