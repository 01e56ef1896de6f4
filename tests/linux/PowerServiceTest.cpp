#include "linux/power/PowerServiceCopy.h"
#include "linux/power/RaplEnergySource.h"
#include "powerservice/PowerService.h"
#include "sampling/IOReportService.h"
#include "util/AtomicFile.h"

#include "support/FakeClock.h"
#include "support/WritableFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

namespace fs = std::filesystem;
using Sample = IOReportService::PowerSample;

constexpr const char* kPowercap = "sys/class/powercap/";
constexpr const char* kCore = "sys/class/powercap/intel-rapl:0:0/energy_uj";
constexpr const char* kUncore = "sys/class/powercap/intel-rapl:0:1/energy_uj";

double bootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The recorded laptop twice: as the service reads it (counters root-only, as the kernel has them
// since 5.10) and as an ordinary user meets it (the same domains, counters it cannot read, and
// the service's runtime folder).
struct Machine {
    test::WritableFixture system{"rapl/readable"};
    test::WritableFixture user{"rapl/readable"};

    Machine() {
        for (const auto& zone : fs::directory_iterator(system.root() / kPowercap)) {
            fs::permissions(zone.path() / "energy_uj", fs::perms::owner_read);
            const auto theirs = user.root() / kPowercap / zone.path().filename() / "energy_uj";
            fs::remove(theirs);
            fs::create_directories(theirs / "unreadable");
        }
        fs::create_directories(folder());
    }
    fs::path folder() const { return user.root() / "run/corvelle-power"; }
    fs::path copy() const { return folder() / "rapl"; }
    void publish(double time) const {
        ASSERT_TRUE(PowerService::publish(folder(), time, RaplDomain::list(system.root()))) << std::strerror(errno);
    }
};

// The service republishes what the counters say; the user's reader measures over the service's
// own readings, whatever the user's clock does.
TEST(PowerService, AnOrdinaryUserMeasuresThroughTheServicesCopy) {
    Machine machine;
    machine.system.write(kCore, "262102000000");  // 41.3 J below the range
    machine.publish(100);
    struct stat copy{};
    ASSERT_EQ(::stat(machine.copy().c_str(), &copy), 0);
    EXPECT_EQ(copy.st_mode & 0777, 0644u) << "readable by every user, whatever the service's umask";
    EXPECT_FALSE(fs::exists(machine.folder() / "rapl.new"));
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<RaplEnergySource>(machine.user.root()), clock);
    ASSERT_TRUE(service.isSubscribed());

    // What changes, when the service publishes by its boot clock, and what the user reads then.
    const struct { const char* what; std::function<void(const Machine&)> change; std::optional<double> publishAt;
                   std::optional<Sample> power; const char* meter; } steps[] = {
        {"20 J, 1 J and 3 J over the service's 2 s", [](const Machine& m) {
             m.system.write(kCore, "262122000000");
             m.system.write(kUncore, "2001000000");
             m.system.write("sys/class/powercap/intel-rapl:0:2/energy_uj", "3003000000");
         }, 102, Sample{10, 0.5, 0, 1.5, 0}, "service"},
        {"no new copy yet: no reading", {}, std::nullopt, std::nullopt, "service"},
        {"the core counter wraps at its range: 40 J", [](const Machine& m) { m.system.write(kCore, "18671150"); }, 104,
         Sample{20, 0, 0, 0, 0}, "service"},
        {"a garbage counter leaves the copy, the others stay", [](const Machine& m) {
             m.system.write(kCore, "20671150");
             m.system.write(kUncore, "2001000000 garbage");
         }, 105, Sample{2, 0, 0, 0, 0}, "service"},
        {"a domain that vanishes leaves the copy", [](const Machine& m) {
             m.system.write(kCore, "21671150");
             m.system.remove("sys/class/powercap/intel-rapl:0:2");
         }, 106, Sample{1, 0, 0, 0, 0}, "service"},
        {"the service stops: its folder goes", [](const Machine& m) { fs::remove_all(m.folder()); }, std::nullopt,
         std::nullopt, "locked"},
        {"it starts again: its first copy has nothing before it",
         [](const Machine& m) { fs::create_directories(m.folder()); }, 200, std::nullopt, "service"},
        {"and the next one measures", [](const Machine& m) { m.system.write(kCore, "23671150"); }, 201,
         Sample{2, 0, 0, 0, 0}, "service"},
    };
    for (const auto& step : steps) {
        if (step.change) step.change(machine);
        if (step.publishAt) machine.publish(*step.publishAt);
        clock->advance(7);
        EXPECT_EQ(service.sample(), step.power) << step.what;
        EXPECT_EQ(service.meterName(), step.meter) << step.what;
    }
}

TEST(PowerServiceCopy, OnlyWhatTheServiceWritesIsRead) {
    const std::string good = "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core 500 1000\n";
    ASSERT_EQ(PowerServiceCopy::parse(good),
              (PowerServiceCopy::Publication{12.5, {RaplDomain{"intel-rapl:0:0", "core", 500, 1000}}}));
    EXPECT_EQ(PowerServiceCopy::parse(PowerServiceCopy::compose(12.5, {{"intel-rapl:0:0", "core", 500, 1000},
                                                                       {"intel-rapl:0:1", "uncore", std::nullopt, 1000}})),
              PowerServiceCopy::parse(good))
        << "a domain without a counter is left out";
    const char* damaged[] = {
        "", "corvelle-power 2\ntime 12.5\n", "corvelle-power 1\ntime soon\n", "corvelle-power 1\ntime -3\n",
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core 5000 1000\n",  // beyond the range
        "corvelle-power 1\ntime 12.5\n../../etc core 500 1000\n",       // not a zone
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 co/re 500 1000\n",  // not a name
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core 500 1000 7\n",
    };
    for (const char* text : damaged) EXPECT_FALSE(PowerServiceCopy::parse(text)) << text;
}

// The service's test build on the tree, in the environment given, as systemd runs the installed
// one; stopped with SIGTERM after `seconds`.
std::string serviceCommand(const Machine& machine, const std::string& environment, int seconds = 5) {
    return "env -i " + environment + " timeout --preserve-status -s TERM " + std::to_string(seconds) + " " +
           CORVELLE_POWER_SERVICE_TEST + " --root " + machine.system.root().string() + " 2>/dev/null";
}

TEST(PowerService, PublishesEverySecondUntilSigtermThenLeavesNothing) {
    Machine machine;
    FILE* service = popen(serviceCommand(machine, "RUNTIME_DIRECTORY=" + machine.folder().string()).c_str(), "r");
    // The distinct times of the copies seen, until three.
    std::vector<double> times;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(4);
    while (times.size() < 3 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto copy = PowerServiceCopy::parse(AtomicFile::read(machine.copy()).value_or(""));
        if (copy && (times.empty() || copy->time != times.back())) times.push_back(copy->time);
    }
    ASSERT_EQ(times.size(), 3u) << "no copy every second";
    EXPECT_NEAR(times[2] - times[1], 1.0, 0.5) << "once a second, on whole seconds of the boot clock";
    EXPECT_NEAR(times[2], bootSeconds(), 2.0);
    EXPECT_EQ(WEXITSTATUS(pclose(service)), PowerService::stopped) << "SIGTERM ends it cleanly";
    EXPECT_FALSE(fs::exists(machine.copy()));
}

TEST(PowerService, RefusesToRunOutsideItsUnit) {
    Machine machine;
    // No runtime folder, one that is not absolute, one that takes no file.
    for (const auto& [environment, exit] : {std::pair<std::string, int>{"", PowerService::badArguments},
                                            {"RUNTIME_DIRECTORY=relative/folder", PowerService::badArguments},
                                            {"RUNTIME_DIRECTORY=/proc/1/nowhere", PowerService::cannotWrite}}) {
        EXPECT_EQ(WEXITSTATUS(std::system(serviceCommand(machine, environment).c_str())), exit) << environment;
    }
    EXPECT_EQ(PowerService::runtimeFolder("/run/corvelle-power:/run/other"), "/run/corvelle-power");
}

// systemd's own assessment of the unit's sandbox, offline, as its manual describes: below 1 of 10.
TEST(PowerServiceUnit, SystemdRatesItsSandboxSafe) {
    constexpr const char* analyze = "/usr/bin/systemd-analyze";
    if (access(analyze, X_OK) != 0) GTEST_SKIP() << "systemd-analyze (Debian package systemd) is not installed";
    FILE* pipe = popen((std::string(analyze) + " security --offline=true --no-pager " + CORVELLE_POWER_UNIT + " 2>&1").c_str(), "r");
    std::string report;
    char buffer[4096];
    while (const size_t got = fread(buffer, 1, sizeof buffer, pipe)) report.append(buffer, got);
    pclose(pipe);
    EXPECT_EQ(report.find("Unknown"), std::string::npos) << "every setting of the unit is known\n" << report;
    const auto overall = report.find("Overall exposure level for corvelle-power.service: 0.");
    ASSERT_NE(overall, std::string::npos) << report;
    EXPECT_EQ(report.substr(overall + 54, 5), " SAFE") << report;  // one decimal, then the rating
}

}  // namespace
}  // namespace corvelle
