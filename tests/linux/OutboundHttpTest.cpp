#include "linux/CurlHttpClient.h"
#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/MemoryKeyValueStore.h"

#include "LocalHttpServer.h"
#include "support/FakeOutbound.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Clock = std::chrono::steady_clock;
using ::testing::AllOf, ::testing::Ge, ::testing::Lt;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class Outbound : public ::testing::Test {
protected:
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    test::LocalHttpServer server;
    std::shared_ptr<CurlHttpClient> client = std::make_shared<CurlHttpClient>(loop);
    test::FixedSystemInfo machine;

    // Sends feedback and waits for the answer.
    std::optional<bool> send(const std::string& url, double timeout = 5) {
        std::optional<bool> result;
        FeedbackService::send({*client, *loop, machine, url, timeout}, FeedbackService::Category::feature,
                              "x", std::nullopt, [&](bool ok) { result = ok; });
        EXPECT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        return result;
    }
};
using Feedback = Outbound;

TEST_F(Outbound, GetKeepsTheBodyUpToItsLimit) {
    const std::string feed = R"({"version":"9.0"})";
    server.setBody(feed);
    // Path, status, size limit, and the status answered (absent: refused as too large).
    const std::tuple<const char*, int, size_t, std::optional<int>> cases[] = {
        {"/feed.json", 200, feed.size(), 200}, {"/feed.json", 404, 1024, 404}, {"/chunked", 200, feed.size(), 200},
        {"/feed.json", 200, feed.size() - 1, std::nullopt}, {"/chunked", 200, feed.size() - 1, std::nullopt}};
    for (const auto& [path, status, limit, answered] : cases) {
        server.setStatus(status);
        std::optional<HttpResult> result;
        client->get(server.url(path), {}, 5, limit, [&](HttpResult r) { result = std::move(r); });
        ASSERT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        EXPECT_EQ(result->status, answered) << path << " " << limit << ": " << result->error;
        EXPECT_TRUE(answered != 200 || result->body == feed) << result->body;
        EXPECT_EQ(result->error.find("larger than") != std::string::npos, !answered) << result->error;
    }
}

TEST_F(Feedback, OnlyA2xxAnswerFromATrustedServerCountsAsSent) {
    const std::pair<int, bool> cases[] = {{200, true}, {204, true}, {299, true},  {301, false},
                                          {304, false}, {400, false}, {500, false}};
    for (const auto& [status, accepted] : cases) {
        server.setStatus(status);
        EXPECT_EQ(send(server.url("/feedback")), accepted) << status;
    }
    // The redirect was not followed.
    EXPECT_EQ(server.requests().size(), std::size(cases));
    const std::string nobodyListens = test::LocalHttpServer().url("/feedback");  // its port closes with it
    EXPECT_EQ(send(nobodyListens), false);
    test::LocalHttpServer untrusted(/*tls=*/true);
    EXPECT_EQ(send(untrusted.url("/feedback")), false);
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
    EXPECT_EQ(send(server.url("/feedback"), 0.3), false);
    EXPECT_THAT(secondsSince(start), AllOf(Ge(0.29), Lt(3.0)));
}

TEST_F(Outbound, QuittingTelemetryWhileTheServerStallsTakesAboutASecond) {
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    settings.setTelemetryEnabled(true);
    auto service = std::make_unique<TelemetryService>(settings, client, machine, clock, server.url("/events"));
    server.setStalled(true);
    const auto start = Clock::now();
    service->sendEnd(service->snapshot(SystemStats{}, settings));
    EXPECT_FALSE(service->finish(1.0));
    service.reset();
    client.reset();
    EXPECT_THAT(secondsSince(start), AllOf(Ge(0.9), Lt(2.0)));
    EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace corvelle
