#include "linux/CurlHttpClient.h"
#include "outbound/MetricsPushService.h"
#include "outbound/PrometheusExposition.h"
#include "settings/MemoryKeyValueStore.h"

#include "LocalHttpServer.h"
#include "support/FakeClock.h"
#include "support/MetricsFigures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace corvelle {
namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr const char* promtool = "/usr/bin/promtool";
constexpr const char* pushgateway = "/usr/bin/prometheus-pushgateway";

bool installed(const char* program) { return access(program, X_OK) == 0; }

double secondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

// The exit status of a shell command and what it printed on both streams.
std::pair<int, std::string> run(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    return {pclose(pipe), output};
}

// A loopback port nobody listens on right now.
int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

TEST(PrometheusExposition, PromtoolAcceptsEveryFigureAndNone) {
    if (!installed(promtool)) GTEST_SKIP() << "promtool (Debian package prometheus) is not installed";
    const test::MetricsFigures f;
    const test::TempDir dir;
    const std::pair<const char*, std::string> texts[] = {
        {"every figure", PrometheusExposition::compose({f.stats, f.prediction, f.habits, f.profile})},
        {"none", PrometheusExposition::compose({SystemStats{}, std::nullopt, std::nullopt, std::nullopt})}};
    for (const auto& [name, text] : texts) {
        std::ofstream(dir / "metrics.prom") << text;
        const auto [status, output] = run(std::string(promtool) + " check metrics < " + (dir / "metrics.prom").string());
        EXPECT_EQ(status, 0) << name << ":\n" << output << text;
        EXPECT_EQ(output, "") << name;
    }
}

struct Push : ::testing::Test {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    std::shared_ptr<CurlHttpClient> client = std::make_shared<CurlHttpClient>(loop);
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::vector<std::string> logged;
    MetricsPushService service{settings, client, clock, "0a1b", [this](const std::string& l) { logged.push_back(l); }};
    const test::MetricsFigures f;

    // Runs one tick with `stats` and the daily results; true when it took well under the
    // request time-out, which a tick that waited for the network would not.
    bool quickTick(const SystemStats& stats) {
        const auto start = SteadyClock::now();
        service.tick({stats, f.prediction, f.habits, f.profile});
        return secondsSince(start) < 1.0;
    }
};

TEST_F(Push, ATickNeverWaitsForTheGateway) {
    test::LocalHttpServer stalled;
    stalled.setStalled(true);
    settings.setMetricsPushURL(stalled.url(""));
    EXPECT_TRUE(quickTick(f.stats));
    ASSERT_TRUE(test::runUntil(*loop, [&] { return stalled.requests().size() == 1; }));
    clock->advance(MetricsPushService::pushInterval);
    EXPECT_TRUE(quickTick(f.stats));
    EXPECT_EQ(stalled.requests().size(), 1u);
}

// A real Pushgateway on a loopback port, for as long as the test runs.
struct Pushgateway : Push {
    pid_t pid = -1;
    int port = freePort();

    void SetUp() override {
        if (!installed(pushgateway)) GTEST_SKIP() << "prometheus-pushgateway is not installed";
        const std::string listen = "--web.listen-address=127.0.0.1:" + std::to_string(port);
        pid = fork();
        if (pid == 0) {
            execl(pushgateway, pushgateway, listen.c_str(), "--persistence.file=", "--log.level=error", nullptr);
            _exit(127);
        }
        ASSERT_TRUE(test::runUntil(*loop, [&] {
            const auto ready = httplib::Client("127.0.0.1", port).Get("/-/ready");
            return ready && ready->status == 200;
        })) << "the Pushgateway did not start";
        settings.setMetricsPushURL("http://127.0.0.1:" + std::to_string(port) + "/");
    }
    void TearDown() override {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::string metrics() {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto answer = httplib::Client("127.0.0.1", port).Get("/metrics");
        return answer && answer->status == 200 ? answer->body : "";
    }
};

TEST_F(Pushgateway, KeepsThePushedFiguresAndOnlyTheLatest) {
    std::string seen;
    EXPECT_TRUE(quickTick(f.stats));
    ASSERT_TRUE(test::runUntil(*loop, [&] { return (seen = metrics()).find("corvelle_battery") != std::string::npos; }))
        << seen;
    for (const char* line : {"corvelle_battery_health_ratio{instance=\"0a1b\",job=\"corvelle\"} 0.9",
                             "corvelle_app_group_cpu_ratio{app=\"Fire\\\"fox\\\\\",instance=\"0a1b\",job=\"corvelle\"} 2.5",
                             "corvelle_habit_subscore_ratio{area=\"discharge\",instance=\"0a1b\",job=\"corvelle\"} 0.4"}) {
        EXPECT_NE(seen.find(line), std::string::npos) << line << "\n" << seen;
    }
    // A later push replaces the group: the battery that went away leaves no stale figures.
    service.pushAtNextTick();
    ASSERT_TRUE(test::runUntil(*loop, [&] {
        EXPECT_TRUE(quickTick(SystemStats{}));
        return (seen = metrics()).find("corvelle_battery_charge") == std::string::npos;
    })) << seen;
    EXPECT_EQ(seen.find("corvelle_thermal_level"), std::string::npos) << "an unknown state has no series\n" << seen;
    EXPECT_TRUE(logged.empty()) << logged.front();
}

}  // namespace
}  // namespace corvelle
