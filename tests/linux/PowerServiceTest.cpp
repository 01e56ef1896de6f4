#include "linux/power/PowerServiceCopy.h"
#include "linux/power/RaplEnergySource.h"
#include "powerservice/PowerService.h"
#include "sampling/IOReportService.h"
#include "util/AtomicFile.h"

#include "support/FakeClock.h"
#include "support/WritableFixture.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <sstream>
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

struct Step {
    const char* what;
    std::function<void(const Machine&)> change;
    std::optional<double> publishAt;  // the service's boot clock
    std::optional<Sample> power;
    const char* meter;
};

// The service republishes what the counters say; the user's reader measures over the service's
// own readings, whatever the user's clock does.
TEST(PowerService, AnOrdinaryUserMeasuresThroughTheServicesCopy) {
    Machine machine;
    machine.system.write(kCore, "262102000000");  // 41.3 J below the range
    machine.publish(100);
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<RaplEnergySource>(machine.user.root()), clock);
    ASSERT_TRUE(service.isSubscribed());

    const Step steps[] = {
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

TEST(PowerService, TheCopyIsReadableByAllAndReplacedWhole) {
    Machine machine;
    machine.publish(8123.5);
    struct stat status{};
    ASSERT_EQ(::stat(machine.copy().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
    EXPECT_FALSE(fs::exists(machine.folder() / "rapl.new"));
    const auto copy = PowerServiceCopy::parse(AtomicFile::read(machine.copy()).value_or(""));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->time, 8123.5);
    // Every domain, the package and platform ones too, with its counter and range.
    ASSERT_EQ(copy->domains.size(), 6u);
    EXPECT_EQ(copy->domains[1], (RaplDomain{"intel-rapl:0", "package-0", 81234567890, 262143328850}));
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
        "", "corvelle-power 2\ntime 12.5\n", "corvelle-power 1\n", "corvelle-power 1\ntime soon\n",
        "corvelle-power 1\ntime nan\n", "corvelle-power 1\ntime -3\n",
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core 5000 1000\n",        // beyond the range
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core -5 1000\n",
        "corvelle-power 1\ntime 12.5\n../../etc core 500 1000\n",             // not a zone
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 co/re 500 1000\n",        // not a name
        "corvelle-power 1\ntime 12.5\nintel-rapl:0:0 core 500 1000 7\n",
    };
    for (const char* text : damaged) EXPECT_FALSE(PowerServiceCopy::parse(text)) << text;
}

// Runs the service's test build on the tree with the environment given, as systemd runs the
// installed one; returns its pid.
pid_t startService(const fs::path& root, std::vector<std::string> environment) {
    std::vector<char*> variables;
    for (auto& variable : environment) variables.push_back(variable.data());
    variables.push_back(nullptr);
    const std::string rootText = root.string();
    char* arguments[] = {const_cast<char*>(CORVELLE_POWER_SERVICE_TEST), const_cast<char*>("--root"),
                         const_cast<char*>(rootText.c_str()), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        execve(CORVELLE_POWER_SERVICE_TEST, arguments, variables.data());
        _exit(127);
    }
    return child;
}

int exitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(PowerService, PublishesEverySecondUntilSigtermThenLeavesNothing) {
    Machine machine;
    const pid_t service = startService(machine.system.root(), {"RUNTIME_DIRECTORY=" + machine.folder().string(),
                                                               "ASAN_OPTIONS=detect_leaks=1"});
    // The distinct times of the copies seen, until three.
    std::vector<double> times;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (times.size() < 3 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto copy = PowerServiceCopy::parse(AtomicFile::read(machine.copy()).value_or(""));
        if (copy && (times.empty() || copy->time != times.back())) times.push_back(copy->time);
    }
    ASSERT_EQ(times.size(), 3u) << "no copy every second";
    EXPECT_NEAR(times[2] - times[1], 1.0, 0.5) << "once a second, on whole seconds of the boot clock";
    EXPECT_NEAR(times[2], bootSeconds(), 2.0);
    kill(service, SIGTERM);
    EXPECT_EQ(exitStatus(service), PowerService::stopped);
    EXPECT_FALSE(fs::exists(machine.copy()));
}

TEST(PowerService, RefusesToRunOutsideItsUnit) {
    Machine machine;
    const std::vector<std::string> environments[] = {{}, {"RUNTIME_DIRECTORY=relative/folder"}};
    for (const auto& environment : environments) {
        EXPECT_EQ(exitStatus(startService(machine.system.root(), environment)), PowerService::badArguments);
    }
    // A runtime folder that takes no file.
    EXPECT_EQ(exitStatus(startService(machine.system.root(), {"RUNTIME_DIRECTORY=/proc/1/nowhere"})),
              PowerService::cannotWrite);
    EXPECT_EQ(PowerService::runtimeFolder("/run/corvelle-power:/run/other"), "/run/corvelle-power");
}

// systemd's own assessment of the unit's sandbox, offline, as its manual describes.
TEST(PowerServiceUnit, SystemdRatesItsSandboxSafe) {
    constexpr const char* analyze = "/usr/bin/systemd-analyze";
    if (access(analyze, X_OK) != 0) GTEST_SKIP() << "systemd-analyze (Debian package systemd) is not installed";
    test::TempDir dir;
    const std::string command = std::string(analyze) + " security --offline=true --no-pager " + CORVELLE_POWER_UNIT +
                                " 2>" + (dir / "stderr").string();
    FILE* pipe = popen(command.c_str(), "r");
    std::string report;
    char buffer[4096];
    while (const size_t got = fread(buffer, 1, sizeof buffer, pipe)) report.append(buffer, got);
    pclose(pipe);
    EXPECT_EQ(AtomicFile::read(dir / "stderr").value_or("?"), "") << "every setting of the unit is known";
    const std::string overall = "Overall exposure level for corvelle-power.service: ";
    const auto at = report.find(overall);
    ASSERT_NE(at, std::string::npos) << report;
    std::istringstream rating(report.substr(at + overall.size()));
    double exposure = 10;
    std::string level;
    rating >> exposure >> level;
    EXPECT_EQ(level, "SAFE") << report;
    EXPECT_LT(exposure, 1.0) << report;
}

}  // namespace
}  // namespace corvelle
