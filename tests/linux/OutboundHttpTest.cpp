#include "linux/CurlHttpClient.h"
#include "outbound/FeedbackService.h"
#include "outbound/TelemetryService.h"
#include "settings/MemoryKeyValueStore.h"

#include "LocalHttpServer.h"
#include "support/FakeOutbound.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Clock = std::chrono::steady_clock;

class Outbound : public ::testing::Test {
protected:
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    test::LocalHttpServer server;
    std::shared_ptr<CurlHttpClient> client = std::make_shared<CurlHttpClient>(loop);
    test::FixedSystemInfo machine;
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
    // Sends and waits for the answer.
    std::optional<bool> send(const std::string& url, double timeout = 5) {
        std::optional<bool> result;
        FeedbackService::send({*client, *loop, machine, url, timeout}, FeedbackService::Category::feature,
                              "x", std::nullopt, [&](bool ok) { result = ok; });
        EXPECT_TRUE(test::runUntil(*loop, [&] { return result.has_value(); }));
        return result;
    }
};

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
    const std::chrono::duration<double> took = Clock::now() - start;
    EXPECT_GE(took.count(), 0.29);
    EXPECT_LT(took.count(), 3.0);
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
    const std::chrono::duration<double> took = Clock::now() - start;
    EXPECT_GE(took.count(), 0.9);
    EXPECT_LT(took.count(), 2.0);
    EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace corvelle
