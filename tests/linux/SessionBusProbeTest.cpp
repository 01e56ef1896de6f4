#include "linux/SessionBusProbe.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace corvelle {
namespace {

using namespace std::chrono_literals;
using SessionBusProbe::Outcome;

// A bus of sorts on a local socket, in a thread: `answers` says what it writes back to the n-th
// thing it reads (nothing: it keeps quiet); it never accepts when told not to.
class FakeBus {
public:
    FakeBus(const std::string& name, bool abstract, bool accepts, std::vector<std::string> answers)
        : answers_(std::move(answers)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + (abstract ? 1 : 0), name.data(), name.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + 1);
        listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        listen(listener_, 4);
        if (accepts) thread_ = std::thread([this] { serve(); });
    }
    ~FakeBus() {
        shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
        close(listener_);
    }

private:
    void serve() {
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) return;
        char buffer[1024];
        for (const auto& answer : answers_) {
            if (recv(client, buffer, sizeof buffer, 0) <= 0) break;
            if (answer.empty()) break;
            send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
        }
        // Keeps quiet, holding the connection, until the probe gives up.
        while (recv(client, buffer, sizeof buffer, 0) > 0) {
        }
        close(client);
    }

    int listener_ = -1;
    std::vector<std::string> answers_;
    std::thread thread_;
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
    int round = 0;
    for (const auto& row : rows) {
        const std::string name = (dir / ("bus" + std::to_string(++round))).string();
        const bool abstract = std::string(row.transport) == "abstract";
        FakeBus bus(name, abstract, row.accepts, row.answers);
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

// The Hello we send is one that a real bus daemon answers.
TEST(SessionBusProbeTest, ARealBusDaemonLetsUsIn) {
    FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    ASSERT_TRUE(daemon);
    char address[512] = {}, pid[32] = {};
    const bool started = fgets(address, sizeof address, daemon) && fgets(pid, sizeof pid, daemon);
    pclose(daemon);
    ASSERT_TRUE(started);
    address[std::strcspn(address, "\n")] = '\0';
    EXPECT_EQ(SessionBusProbe::probe(address, 5s), Outcome::answers) << address;
    kill(std::stoi(pid), SIGTERM);
}

}  // namespace
}  // namespace corvelle
