#include "app/updates/UpdateController.h"
#include "localization/LShell.h"
#include "support/ScopedLanguage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Kind = UpdateCheckResult::Kind;

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

    controller.checkForUpdates();
    pending(std::string("<html>gateway</html>"), "");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], UpdateCheckResult::failed(L::updateFeedUnreadable()));
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
