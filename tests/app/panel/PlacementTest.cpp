#include "app/panel/PanelPlacement.h"
#include "app/panel/SwayWindowPlacer.h"

#include "WaitFor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace corvelle {
namespace {

TEST(PanelPlacementTest, CentresUnderTheIconAndStaysOnScreen) {
    const QSize panel(480, 620);
    const QRect screen(0, 28, 1280, 772);  // below a 28-pixel top bar
    const std::tuple<const char*, std::optional<QRect>, std::optional<QRect>, QPoint> cases[] = {
        {"middle", QRect(600, 2, 24, 24), screen, {372, 30}},
        {"right edge", QRect(1250, 2, 24, 24), screen, {800, 30}},
        {"left edge", QRect(4, 2, 24, 24), screen, {0, 30}},
        {"tray at the bottom", QRect(1200, 776, 24, 24), QRect(0, 0, 1280, 772), {800, 152}},
        {"second screen", QRect(1900, 0, 20, 20), QRect(1280, 0, 1920, 1080), {1670, 24}},
        {"no screen", QRect(10, 0, 20, 20), std::nullopt, {-220, 24}},
        {"click point in the top bar", QRect(900, 10, 1, 1), screen, {661, 28}},
        {"no icon geometry", std::nullopt, screen, {796, 32}},
        {"empty icon geometry", QRect(), screen, {796, 32}},
        {"nothing known", std::nullopt, std::nullopt, {0, 0}},
    };
    for (const auto& [what, icon, available, expected] : cases) {
        EXPECT_EQ(PanelPlacement::origin(icon, panel, available), expected) << what;
    }
    // Without icon geometry the panel goes to the corner by the bar: bottom-right under a bottom bar only.
    const QRect whole(0, 0, 1280, 800);
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 0, 1280, 770), whole), QPoint(796, 146));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 30, 1280, 740), whole), QPoint(796, 34));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, whole, whole), QPoint(796, 4));
    // Wider than the screen: the right edge wins.
    EXPECT_EQ(PanelPlacement::origin(QRect(100, 0, 20, 20), QSize(900, 100), QRect(0, 0, 800, 600)).x(), -100);
}

// Our shown window in sway's tree, with the title bar sway draws and the workspace it is on.
TEST(SwayWindowPlacerTest, FindsOurShownWindowWithItsFrameAndWorkspace) {
    const QJsonObject tree = QJsonDocument::fromJson(R"({"type": "root", "nodes": [
        {"type": "output", "rect": {"x": 1280, "y": 0, "width": 1920, "height": 1080}, "nodes": [
            {"type": "workspace", "rect": {"x": 1280, "y": 30, "width": 1920, "height": 1050}, "nodes": [
                {"id": 7, "pid": 42, "name": "Corvelle", "visible": true, "rect": {"x": 1300, "y": 80, "width": 484, "height": 622},
                 "deco_rect": {"height": 25}, "nodes": [], "floating_nodes": []}],
             "floating_nodes": [
                {"id": 9, "pid": 42, "name": "Corvelle status", "visible": false, "rect": {}, "deco_rect": {}}]}]}]})")
                                  .object();
    const auto panel = SwayWindowPlacer::find(tree, 42, "Corvelle");
    ASSERT_TRUE(panel);
    EXPECT_EQ(std::tie(panel->containerId, panel->outerSize, panel->workspace, panel->output),
              std::make_tuple(7, QSize(484, 647), QRect(1280, 30, 1920, 1050), QRect(1280, 0, 1920, 1080)));
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 43, "Corvelle")) << "another program's window";
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 42, "Corvelle status")) << "not mapped yet";
}

QByteArray swayMessage(quint32 type, qint64 claimedLength, const QByteArray& payload = {}) {
    QByteArray bytes("i3-ipc");
    const quint32 words[] = {qToLittleEndian(static_cast<quint32>(claimedLength)), qToLittleEndian(type)};
    bytes.append(reinterpret_cast<const char*>(words), sizeof words);
    return bytes + payload;
}

// A sway of sorts on a local socket: `answer` gives what it writes back to what a client sent.
struct FakeSway {
    QLocalServer server;
    std::vector<QPointer<QLocalSocket>> clients;
    QByteArray received;
    std::function<QByteArray(const QByteArray&)> answer;

    explicit FakeSway(const QString& path) {
        server.listen(path);
        QObject::connect(&server, &QLocalServer::newConnection, [this] {
            QLocalSocket* client = clients.emplace_back(server.nextPendingConnection());
            QObject::connect(client, &QLocalSocket::readyRead, [this, client] {
                const QByteArray bytes = client->readAll();
                received += bytes;
                client->write(answer(bytes));
            });
        });
    }
    long open() const {
        return std::ranges::count_if(clients, [](const auto& c) { return c && c->state() == QLocalSocket::ConnectedState; });
    }
};

// However sway's socket behaves, a placement ends and closes its socket within a few seconds,
// and a newer placement of a window replaces the one under way.
TEST(SwayWindowPlacerTest, APlacementNeverOutlivesItsTimeOrPilesUp) {
    test::TempDir dir;
    const QString path = QString::fromStdString((dir / "sway.sock").string());
    const QByteArray tree = QStringLiteral(R"({"type": "root", "nodes": [{"type": "workspace", "rect": {"width": 800, "height": 600},
        "nodes": [{"id": 7, "pid": %1, "name": "Ours", "visible": true, "rect": {"width": 100, "height": 50}, "deco_rect": {}}]}]})")
                                .arg(QCoreApplication::applicationPid()).toUtf8();
    const struct { const char* what; std::function<QByteArray(const QByteArray&)> answer; int closedWithinMs; QByteArray sent; } rows[] = {
        {"a sway that never answers", [](const QByteArray&) { return QByteArray(); }, 4000, "i3-ipc"},
        {"an answer that claims 4 GB", [](const QByteArray&) { return swayMessage(4, 0xffffffffLL); }, 500, "i3-ipc"},
        {"an answer of 100 MB", [](const QByteArray&) { return swayMessage(4, 100 << 20, QByteArray(1 << 20, ' ')); }, 500, "i3-ipc"},
        {"an answer that is not sway's", [](const QByteArray&) { return QByteArray(64, 'x'); }, 500, "i3-ipc"},
        {"a sway that places the window", [&](const QByteArray& request) {
             return request.contains("floating") ? swayMessage(0, 17, R"([{"success":true}])") : swayMessage(4, tree.size(), tree);
         }, 4000, "[con_id=7] floating enable, move absolute position 696 4"},
    };
    for (const auto& row : rows) {
        FakeSway sway(path);
        sway.answer = row.answer;
        SwayWindowPlacer placer(path);
        for (int i = 0; i < 20; ++i) placer.place(i % 2 ? "Ours" : "Another", std::nullopt, 4, false);
        EXPECT_TRUE(test::waitFor([&] { return sway.clients.size() >= 2 && sway.open() <= 2; }, 1000)) << row.what;
        EXPECT_TRUE(test::waitFor([&] { return sway.open() == 0; }, row.closedWithinMs)) << row.what;
        EXPECT_TRUE(sway.received.contains(row.sent)) << row.what;
    }
}

}  // namespace
}  // namespace corvelle
