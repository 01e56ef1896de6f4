// Cost of the process sample: against this machine's /proc, against a generated tree of
// 1,000 processes, and the full read against the cgroup-guided one on a tree of 600 processes in
// 100 cgroups of which 10 run between ticks. The perProcess counter is the time per listed process.
#include "linux/LinuxProcessTable.h"
#include "linux/SystemClock.h"
#include "sampling/AppGroups.h"
#include "sampling/ProcessMonitor.h"

#include <benchmark/benchmark.h>

#include "support/FakeClock.h"
#include "support/ProcessTree.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>

#include <time.h>

using namespace corvelle;

namespace {

const CoreContext kContext{20, 40};

// A proc tree of count processes under a fresh temporary folder, removed at exit.
class GeneratedProc {
public:
    explicit GeneratedProc(int count) {
        root_ = std::filesystem::temp_directory_path() / ("corvelle-bench-proc-" + std::to_string(std::random_device{}()));
        for (int pid = 100; pid < 100 + count; ++pid) {
            const auto folder = root_ / "proc" / std::to_string(pid);
            std::filesystem::create_directories(folder);
            std::ofstream(folder / "stat") << pid << " (worker " << pid % 40 << ") S 1 " << pid << ' ' << pid
                                           << " 0 -1 4194560 100 0 0 0 " << pid * 3 << ' ' << pid
                                           << " 0 0 20 0 4 0 " << pid * 7 << " 100000 " << pid * 11
                                           << " 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 0 0\n";
            // Most have an executable; a tenth look like other users' processes.
            if (pid % 10 != 0) {
                std::filesystem::create_symlink("/usr/lib/app" + std::to_string(pid % 40) + "/bin/app", folder / "exe");
            }
        }
    }
    ~GeneratedProc() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

int processCount(const std::filesystem::path& root) {
    std::vector<std::int32_t> pids;
    LinuxProcessTable(root).listPids(pids);
    return static_cast<int>(pids.size());
}

void sampleTicks(benchmark::State& state, const std::filesystem::path& root) {
    ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(root), std::make_shared<SystemClock>());
    monitor.sample(kContext, 15);  // names resolved once, as in a running app
    for (auto _ : state) {
        auto top = monitor.sample(kContext, 15);
        benchmark::DoNotOptimize(buildAppGroups(top));
    }
    const int count = processCount(root);
    state.counters["processes"] = count;
    state.counters["perProcess"] = benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A first sample: every name is resolved.
void firstSamples(benchmark::State& state, const std::filesystem::path& root) {
    for (auto _ : state) {
        ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(root), std::make_shared<SystemClock>());
        benchmark::DoNotOptimize(monitor.sample(kContext, 15));
    }
    state.counters["perProcess"] = benchmark::Counter(
        static_cast<double>(processCount(root)) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ProcessSampleRealProc(benchmark::State& state) { sampleTicks(state, "/"); }
void BM_ProcessFirstSampleRealProc(benchmark::State& state) { firstSamples(state, "/"); }
void BM_ProcessSample1000(benchmark::State& state) {
    GeneratedProc tree(1000);
    sampleTicks(state, tree.root());
}
void BM_ProcessFirstSample1000(benchmark::State& state) {
    GeneratedProc tree(1000);
    firstSamples(state, tree.root());
}

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The full read against the guided one on a tree of 100 kernel threads in the root group and 500
// processes in 100 session and service groups, five in each; before each tick 10 processes in 10
// app groups run. Both read the same tree tick by tick, taking turns at going first, so that what
// else runs on the machine weighs on both alike. Ticks are 2 s apart, so every 15th is a round that
// reads every process for its memory. fullUs and guidedUs are CPU time per tick, cheaper their
// ratio, guidedBetweenRoundsUs and cheaperBetweenRounds the same for the guided ticks between
// rounds; differing counts the ticks whose lists were not the same; statReads, runTimeReads and
// usageReads are the guided read's stat, schedstat and cpu.stat files per tick (the full read
// reads 600 stat files).
void BM_ProcessSample600FullAgainstGuided(benchmark::State& state) {
    test::TempDir dir;
    test::ProcessTree tree(dir.path());
    for (int pid = 2; pid < 102; ++pid) tree.add(pid, "/", "kworker/" + std::to_string(pid), true);
    for (int i = 0; i < 500; ++i) {
        const auto group = (i % 2 ? "/system.slice/service-" : "/user.slice/user-1000.slice/app-") + std::to_string(i / 2 % 50);
        tree.add(1000 + i, group, "worker " + std::to_string(i % 40));
    }
    auto* table = new LinuxProcessTable(dir.path());
    const auto clock = std::make_shared<test::FakeClock>();
    ProcessMonitor guided{std::unique_ptr<ProcessTable>(table), clock};
    ProcessMonitor full{std::make_unique<LinuxProcessTable>(dir.path(), LinuxProcessTable::Reading::full), clock};
    guided.sample(kContext, 15), full.sample(kContext, 15);
    const auto reads = table->statReads(), runTimeReads = table->runTimeReads(), usageReads = table->usageReads();
    double fullSeconds = 0, guidedSeconds = 0, guidedBetweenRounds = 0;
    std::int64_t ticks = 0, ticksBetweenRounds = 0, differing = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) tree.run(1000 + i * 10, 1);
        clock->advance(2);
        std::vector<ProcStats> lists[2];
        const auto statReadsBefore = table->statReads();
        for (int turn = 0; turn < 2; ++turn) {
            const bool readGuided = (turn + ticks) % 2 == 0;
            const double begin = threadSeconds();
            lists[readGuided] = (readGuided ? guided : full).sample(kContext, 15);
            const double spent = threadSeconds() - begin;
            (readGuided ? guidedSeconds : fullSeconds) += spent;
            // The 30 s rounds read every stat file for the memory of the processes that sat idle.
            if (readGuided && table->statReads() - statReadsBefore < 300) guidedBetweenRounds += spent, ++ticksBetweenRounds;
        }
        differing += lists[0] != lists[1];
        ++ticks;
    }
    const auto perTick = [&](double value) { return value / static_cast<double>(std::max<std::int64_t>(ticks, 1)); };
    state.counters["fullUs"] = perTick(fullSeconds * 1e6);
    state.counters["guidedUs"] = perTick(guidedSeconds * 1e6);
    state.counters["cheaper"] = guidedSeconds > 0 ? fullSeconds / guidedSeconds : 0;
    const double betweenRounds = guidedBetweenRounds / static_cast<double>(std::max<std::int64_t>(ticksBetweenRounds, 1));
    state.counters["guidedBetweenRoundsUs"] = betweenRounds * 1e6;
    state.counters["cheaperBetweenRounds"] = betweenRounds > 0 ? perTick(fullSeconds) / betweenRounds : 0;
    state.counters["differing"] = static_cast<double>(differing);
    state.counters["statReads"] = perTick(static_cast<double>(table->statReads() - reads));
    state.counters["runTimeReads"] = perTick(static_cast<double>(table->runTimeReads() - runTimeReads));
    state.counters["usageReads"] = perTick(static_cast<double>(table->usageReads() - usageReads));
}

}  // namespace

BENCHMARK(BM_ProcessSample600FullAgainstGuided)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSample1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSample1000)->Unit(benchmark::kMicrosecond);
