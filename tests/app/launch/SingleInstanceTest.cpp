#include "app/launch/SingleInstance.h"

#include "WaitFor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QLocalSocket>

#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

namespace corvelle {
namespace {

using Role = SingleInstance::Role;

// Without a session bus an instance goes by the lock, in the first of its folders where this user
// can make one; where none can, it runs on its own and says so. Its socket takes one short line
// from each later start, and only a few starts may wait at once.
TEST(SingleInstanceTest, TheLockAndItsSocketHoldAgainstWhatIsNotALaterStart) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus");
    test::TempDir dir;
    std::ofstream(dir / "blocked").flush();  // a file where a folder should be
    const std::vector<std::filesystem::path> folders{dir / "blocked" / "run", dir / "run"};
    SingleInstance first(folders);
    ASSERT_EQ(first.claim({}), Role::primary);
    std::vector<SingleInstance::Request> received;
    first.setHandler([&](const SingleInstance::Request& request) { received.push_back(request); });
    EXPECT_EQ(SingleInstance(folders).claim({false, "battery"}), Role::forwarded);
    EXPECT_TRUE(test::waitFor([&] { return received.size() == 1 && received[0].tab == "battery"; }));

    const auto socketPath = QString::fromStdString((dir / "run" / "io.mirelo.corvelle.socket").string());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    const auto connectedCount = [&] {
        return std::ranges::count_if(idle, [](const auto& s) { return s->state() == QLocalSocket::ConnectedState; });
    };
    for (int i = 0; i < 3 * SingleInstance::maxWaitingStarts; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(socketPath);
    }
    EXPECT_TRUE(test::waitFor([&] { return connectedCount() == SingleInstance::maxWaitingStarts; }, 1000));
    EXPECT_TRUE(test::waitFor([&] { return connectedCount() == 0; }, 3000)) << "quiet starts are dropped";
    QLocalSocket flood;
    flood.connectToServer(socketPath);
    flood.write(QByteArray(10 * SingleInstance::maxRequestBytes, 'x'));
    EXPECT_TRUE(test::waitFor([&] { return flood.state() == QLocalSocket::UnconnectedState; }, 1000));
    EXPECT_EQ(received.size(), 1u);

    testing::internal::CaptureStderr();
    EXPECT_EQ(SingleInstance({dir / "blocked" / "run"}).claim({}), Role::primary);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("a second start will not find this one"), std::string::npos);
}

}  // namespace
}  // namespace corvelle
