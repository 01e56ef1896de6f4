// Cost of the process sample: against this machine's /proc, against a generated tree of
// 1,000 processes, and the full read against the cgroup-guided one on a tree of 600 processes in
// 100 cgroups of which 10 run between ticks. The perProcess counter is the time per listed process.
#include "linux/LinuxProcessTable.h"
#include "linux/SystemClock.h"
#include "sampling/AppGroups.h"
#include "sampling/ProcessMonitor.h"

#include <benchmark/benchmark.h>

#include "support/ProcessTree.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>

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

// 100 kernel threads in the root group and 500 processes in 100 session and service groups, five
// in each; each tick 10 processes in 10 app groups run. statReads and usageReads are the stat and cpu.stat files read
// per tick.
void guidedOrFull(benchmark::State& state, LinuxProcessTable::Reading reading) {
    test::TempDir dir;
    test::ProcessTree tree(dir.path());
    for (int pid = 2; pid < 102; ++pid) tree.add(pid, "/", "kworker/" + std::to_string(pid), true);
    for (int i = 0; i < 500; ++i) {
        const auto group = (i % 2 ? "/system.slice/service-" : "/user.slice/user-1000.slice/app-") + std::to_string(i / 2 % 50);
        tree.add(1000 + i, group, "worker " + std::to_string(i % 40));
    }
    auto* table = new LinuxProcessTable(dir.path(), reading);
    ProcessMonitor monitor{std::unique_ptr<ProcessTable>(table), std::make_shared<SystemClock>()};
    monitor.sample(kContext, 15);
    const auto reads = table->statReads(), usageReads = table->usageReads();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 10; ++i) tree.run(1000 + i * 10, 1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(monitor.sample(kContext, 15));
    }
    const auto ticks = static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
    state.counters["statReads"] = static_cast<double>(table->statReads() - reads) / ticks;
    state.counters["usageReads"] = static_cast<double>(table->usageReads() - usageReads) / ticks;
}

void BM_ProcessSample600FullRead(benchmark::State& state) { guidedOrFull(state, LinuxProcessTable::Reading::full); }
void BM_ProcessSample600GuidedRead(benchmark::State& state) { guidedOrFull(state, LinuxProcessTable::Reading::guided); }

}  // namespace

BENCHMARK(BM_ProcessSample600FullRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSample600GuidedRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSample1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSample1000)->Unit(benchmark::kMicrosecond);
