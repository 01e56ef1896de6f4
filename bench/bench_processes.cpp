// Cost of the process sample: against this machine's /proc, and against a generated tree of
// 1,000 processes. The perProcess counter is the time per listed process.
#include "linux/LinuxProcessTable.h"
#include "linux/SystemClock.h"
#include "sampling/AppGroups.h"
#include "sampling/ProcessMonitor.h"

#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK(BM_ProcessSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSampleRealProc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessSample1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessFirstSample1000)->Unit(benchmark::kMicrosecond);
