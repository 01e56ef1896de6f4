#include "linux/SessionBusProbe.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace corvelle {
namespace {

using namespace std::chrono_literals;
using SessionBusProbe::Outcome;

// A bus of sorts on a local socket: it answers the n-th thing it reads with `answers[n]` (empty:
// nothing) and then keeps quiet, holding the connection until the probe gives up; one that does
// not accept leaves the connection waiting in its queue.
struct FakeBus {
    int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::thread thread;

    FakeBus(const std::string& name, bool abstract, bool accepts, std::vector<std::string> answers) {
        sockaddr_un address{AF_UNIX, {}};
        std::memcpy(address.sun_path + abstract, name.data(), name.size());
        bind(listener, reinterpret_cast<sockaddr*>(&address), offsetof(sockaddr_un, sun_path) + name.size() + 1);
        listen(listener, 4);
        if (!accepts) return;
        thread = std::thread([this, answers] {
            const int client = accept(listener, nullptr, nullptr);
            char buffer[1024];
            for (const auto& answer : answers) {
                if (recv(client, buffer, sizeof buffer, 0) <= 0 || answer.empty()) break;
                send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            while (recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            close(client);
        });
    }
    ~FakeBus() {
        if (thread.joinable()) thread.join();
        close(listener);
    }
};

TEST(SessionBusProbeTest, AWedgedOrStaleBusIsToldFromOneThatLetsUsIn) {
    test::TempDir dir;
    const std::string ok = "OK 1234deadbeef1234deadbeef1234de\r\n", reply(24, 'r');
    const struct { const char* what; const char* transport; bool accepts; std::vector<std::string> answers; Outcome outcome; } rows[] = {
        {"a bus that lets us in", "path", true, {ok, reply}, Outcome::answers},
        {"the same under an abstract name", "abstract", true, {ok, reply}, Outcome::answers},
        {"a bus that asks for another mechanism", "path", true, {"REJECTED DBUS_COOKIE_SHA1\r\n"}, Outcome::answers},
        {"a listener that never accepts", "path", false, {}, Outcome::silent},
        {"one that accepts and says nothing", "path", true, {""}, Outcome::silent},
        {"one that authenticates and goes silent", "path", true, {ok, ""}, Outcome::silent},
        {"one that answers Hello with half a header", "path", true, {ok, "l\2\1\1"}, Outcome::silent},
    };
    for (const auto& row : rows) {
        const std::string name = (dir / ("bus" + std::to_string(&row - rows))).string();
        FakeBus bus(name, std::string(row.transport) == "abstract", row.accepts, row.answers);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(SessionBusProbe::probe(std::string("unix:") + row.transport + "=" + name + ",guid=0", 300ms), row.outcome)
            << row.what;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 1s) << row.what;
    }
    const std::string nowhere = "unix:path=" + (dir / "none").string();
    EXPECT_EQ(SessionBusProbe::probe(nowhere, 300ms), Outcome::absent);
    EXPECT_EQ(SessionBusProbe::probe(nowhere + ";tcp:host=localhost,port=1", 300ms), Outcome::unprobed);
    EXPECT_EQ(SessionBusProbe::probe("autolaunch:", 300ms), Outcome::unprobed);
    EXPECT_EQ(SessionBusProbe::probe("", 300ms), Outcome::absent);
}

}  // namespace
}  // namespace corvelle
