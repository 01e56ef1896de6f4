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
#include <limits>
#include <random>
#include <thread>

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

// The full read against the guided one, tick by tick, taking turns at going first, so that what
// else runs on the machine weighs on both alike. fullUs and guidedUs are CPU time per tick,
// cheaper their ratio; differing counts the ticks whose lists were not the same; statReads,
// runTimeReads and usageReads are the guided read's stat, schedstat and cpu.stat files per tick.
// Ticks that read more than roundReads stat files are the 30 s rounds that read every process for
// its memory: guidedBetweenRoundsUs and cheaperBetweenRounds leave them out.
class BothReads {
public:
    BothReads(const std::filesystem::path& root, std::shared_ptr<const Clock> clock, std::uint64_t roundReads)
        : table_(new LinuxProcessTable(root)),
          guided_{std::unique_ptr<ProcessTable>(table_), clock},
          full_{std::make_unique<LinuxProcessTable>(root, LinuxProcessTable::Reading::full), clock},
          roundReads_(roundReads) {
        guided_.sample(kContext, 15), full_.sample(kContext, 15);
        statReads_ = table_->statReads(), runTimeReads_ = table_->runTimeReads(), usageReads_ = table_->usageReads();
    }

    void tick() {
        std::vector<ProcStats> lists[2];
        const auto statReads = table_->statReads();
        for (int turn = 0; turn < 2; ++turn) {
            const bool readGuided = (turn + ticks_) % 2 == 0;
            const double begin = threadSeconds();
            lists[readGuided] = (readGuided ? guided_ : full_).sample(kContext, 15);
            const double spent = threadSeconds() - begin;
            (readGuided ? guidedSeconds_ : fullSeconds_) += spent;
            if (readGuided && table_->statReads() - statReads <= roundReads_) betweenRounds_ += spent, ++ticksBetweenRounds_;
        }
        differing_ += lists[0] != lists[1];
        ++ticks_;
    }

    void report(benchmark::State& state) const {
        const auto perTick = [this](double value) { return value / static_cast<double>(std::max<std::int64_t>(ticks_, 1)); };
        const double betweenRounds = betweenRounds_ / static_cast<double>(std::max<std::int64_t>(ticksBetweenRounds_, 1));
        state.counters["fullUs"] = perTick(fullSeconds_ * 1e6);
        state.counters["guidedUs"] = perTick(guidedSeconds_ * 1e6);
        state.counters["cheaper"] = guidedSeconds_ > 0 ? fullSeconds_ / guidedSeconds_ : 0;
        state.counters["guidedBetweenRoundsUs"] = betweenRounds * 1e6;
        state.counters["cheaperBetweenRounds"] = betweenRounds > 0 ? perTick(fullSeconds_) / betweenRounds : 0;
        state.counters["differing"] = static_cast<double>(differing_);
        state.counters["statReads"] = perTick(static_cast<double>(table_->statReads() - statReads_));
        state.counters["runTimeReads"] = perTick(static_cast<double>(table_->runTimeReads() - runTimeReads_));
        state.counters["usageReads"] = perTick(static_cast<double>(table_->usageReads() - usageReads_));
    }

private:
    static double threadSeconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    LinuxProcessTable* table_;
    ProcessMonitor guided_, full_;
    std::uint64_t roundReads_;
    std::uint64_t statReads_ = 0, runTimeReads_ = 0, usageReads_ = 0;
    double fullSeconds_ = 0, guidedSeconds_ = 0, betweenRounds_ = 0;
    std::int64_t ticks_ = 0, ticksBetweenRounds_ = 0, differing_ = 0;
};

// A tree of 100 kernel threads in the root group and 500 processes in 100 session and service
// groups, five in each; before each tick 10 processes in 10 app groups run. Ticks are 2 s apart,
// so every 15th is a memory round. The full read reads 600 stat files a tick.
void BM_ProcessSample600FullAgainstGuided(benchmark::State& state) {
    test::TempDir dir;
    test::ProcessTree tree(dir.path());
    for (int pid = 2; pid < 102; ++pid) tree.add(pid, "/", "kworker/" + std::to_string(pid), true);
    for (int i = 0; i < 500; ++i) {
        const auto group = (i % 2 ? "/system.slice/service-" : "/user.slice/user-1000.slice/app-") + std::to_string(i / 2 % 50);
        tree.add(1000 + i, group, "worker " + std::to_string(i % 40));
    }
    const auto clock = std::make_shared<test::FakeClock>();
    BothReads reads(dir.path(), clock, 300);
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) tree.run(1000 + i * 10, 1);
        clock->advance(2);
        reads.tick();
    }
    reads.report(state);
}

// This machine's processes, 0.2 s between ticks (no memory round within the run). The lists are
// not compared: the processes run between the two reads.
void BM_ProcessSampleRealProcFullAgainstGuided(benchmark::State& state) {
    BothReads reads("/", std::make_shared<SystemClock>(), std::numeric_limits<std::uint64_t>::max());
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reads.tick();
    }
    reads.report(state);
}

}  // namespace

BENCHMARK(BM_ProcessSample600FullAgainstGuided)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSampleRealProcFullAgainstGuided)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSample1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSample1000)->Unit(benchmark::kMicrosecond);
