#include "app/updates/UpdateController.h"
#include "support/ScopedLanguage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Kind = UpdateCheckResult::Kind;

TEST(UpdateFeedTest, VersionsCompareNumberByNumber) {
    const struct {
        const char* a;
        const char* b;
        int order;
    } cases[] = {{"1.0.1", "1.0.1", 0}, {"1.0.10", "1.0.9", 1}, {"1.1", "1.1.0", 0},  {"2", "1.9.9", 1},
                 {"0.9", "1.0", -1},    {"1.0.1.1", "1.0.1", 1}, {"010", "9", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(UpdateFeed::compare(*UpdateFeed::parseVersion(c.a), *UpdateFeed::parseVersion(c.b)), c.order)
            << c.a << " vs " << c.b;
    }
    for (const char* bad : {"", "1.", ".1", "1..2", "1.x", "-1", "1.0.0.0.0", "v1.2", "1 .2", "1234567890"}) {
        EXPECT_FALSE(UpdateFeed::parseVersion(bad)) << bad;
    }
}

TEST(UpdateFeedTest, FeedsAgainstTheRunningVersion) {
    test::ScopedLanguage language("en");
    const struct {
        const char* feed;
        Kind kind;
        std::string version, url;
    } cases[] = {
        {R"({"version":"1.2.0","url":"https://example.org/get"})", Kind::available, "1.2.0", "https://example.org/get"},
        {R"({"version":"1.0.2"})", Kind::available, "1.0.2", ""},
        {R"({"version":"1.2.0","url":"http://example.org/get"})", Kind::available, "1.2.0", ""},
        {R"j({"version":"1.2.0","url":"javascript:alert(1)"})j", Kind::available, "1.2.0", ""},
        {R"({"version":"1.2.0","url":"https://a b"})", Kind::available, "1.2.0", ""},
        {R"({"version":"1.0.1","url":"https://example.org/get"})", Kind::upToDate, "", ""},
        {R"({"version":"0.9"})", Kind::upToDate, "", ""},
        {R"({"version":"1.x"})", Kind::failed, "", ""},
        {R"({"version":2})", Kind::failed, "", ""},
        {R"({"url":"https://example.org"})", Kind::failed, "", ""},
        {R"(["1.2.0"])", Kind::failed, "", ""},
        {"<html>gateway</html>", Kind::failed, "", ""},
        {"", Kind::failed, "", ""},
    };
    for (const auto& c : cases) {
        const auto result = UpdateFeed::evaluate(c.feed, "1.0.1");
        EXPECT_EQ(result.kind, c.kind) << c.feed;
        EXPECT_EQ(result.latestVersion, c.version) << c.feed;
        EXPECT_EQ(result.downloadUrl, c.url) << c.feed;
        EXPECT_EQ(result.failure.empty(), c.kind != Kind::failed) << c.feed;
    }
}

TEST(UpdateControllerTest, OneCheckAtATimeAndFailuresAreShown) {
    test::ScopedLanguage language("en");
    UpdateController::FetchDone pending;
    int fetches = 0;
    std::vector<UpdateCheckResult> shown;
    UpdateController controller(
        [&](UpdateController::FetchDone done) {
            ++fetches;
            pending = std::move(done);
        },
        [&](const UpdateCheckResult& result) { shown.push_back(result); }, "1.0.1");

    controller.checkForUpdates();
    controller.checkForUpdates();
    EXPECT_EQ(fetches, 1);
    EXPECT_TRUE(controller.isChecking());
    pending(std::nullopt, "Host not found");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, Kind::failed);
    EXPECT_NE(shown[0].failure.find("Host not found"), std::string::npos);

    controller.checkForUpdates();
    EXPECT_EQ(fetches, 2);
    pending(std::string(R"({"version":"1.1"})"), "");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].kind, Kind::available);
    EXPECT_FALSE(controller.isChecking());
}

// A one-shot HTTP server on the loopback address answering every request with `response`.
class CannedServer {
public:
    explicit CannedServer(QByteArray response) : response_(std::move(response)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    socket->write(response_);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/feed.json"; }

private:
    QTcpServer server_;
    QByteArray response_;
};

struct Fetched {
    bool done = false;
    std::optional<std::string> body;
    std::string error;
};

Fetched fetch(const std::string& url) {
    Fetched fetched;
    UpdateController::networkFetch(url)([&](std::optional<std::string> body, std::string error) {
        fetched = {true, std::move(body), std::move(error)};
    });
    QElapsedTimer timer;
    timer.start();
    while (!fetched.done && timer.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return fetched;
}

TEST(UpdateControllerTest, NetworkFetchReadsSmallFeedsAndRefusesTheRest) {
    const QByteArray feed = R"({"version":"9.0"})";
    CannedServer good("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(feed.size()) + "\r\nConnection: close\r\n\r\n" + feed);
    const auto ok = fetch(good.url());
    ASSERT_TRUE(ok.done);
    EXPECT_EQ(ok.body, feed.toStdString());

    CannedServer missing("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    const auto notFound = fetch(missing.url());
    ASSERT_TRUE(notFound.done);
    EXPECT_FALSE(notFound.body);

    const QByteArray huge(200 * 1024, 'x');
    CannedServer big("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(huge.size()) +
                     "\r\nConnection: close\r\n\r\n" + huge);
    const auto tooBig = fetch(big.url());
    ASSERT_TRUE(tooBig.done);
    EXPECT_FALSE(tooBig.body);
    EXPECT_FALSE(tooBig.error.empty());
}

}  // namespace
}  // namespace corvelle
