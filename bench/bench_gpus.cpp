// What GPUs add to a hidden tick, measured against the process sample they follow, on a generated
// tree of 600 processes (as in bench_processes: 100 kernel threads, 500 processes in 100 groups,
// 10 of which run before each tick) whose processes hold 24 open files each, 5 of them drawing on
// the discrete GPU, beside the recorded layout of a laptop with processor graphics and a discrete
// Radeon. Ticks are 2 s apart. processUs is the process sample, gpuUs the GPU sample and
// temperatureUs the temperature read, each CPU time per tick after a first one; gateUs is what the
// temperature read spends asking the gate, against the same read without one; rise is (gpuUs +
// gateUs) over processUs, in percent. firstGpuUs is the GPU sample of the first two ticks, the
// second of which searches every process for clients when the Radeon is awake.
#include "linux/HwmonSMCTransport.h"
#include "linux/LinuxProcessTable.h"
#include "linux/TextFile.h"
#include "linux/gpu/LinuxGpuSource.h"
#include "sampling/GpuMonitor.h"
#include "sampling/TemperatureMonitor.h"

#include <benchmark/benchmark.h>

#include "support/FakeClock.h"
#include "support/ProcessTree.h"
#include "support/TempDir.h"

#include <time.h>

using namespace corvelle;
namespace fs = std::filesystem;

namespace {

constexpr const char* kLayout = CORVELLE_FIXTURES_DIR "/gpu/amd-apu-amd-dgpu";
constexpr const char* kRadeon = "sys/devices/pci0000:00/0000:00:01.1/0000:01:00.0/0000:02:00.0/0000:03:00.0";

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
void timed(double& total, Work work) {
    const double begin = threadSeconds();
    work();
    total += threadSeconds() - begin;
}

// The process tree, with open files, and the laptop's device tree under one root.
void makeMachine(const fs::path& root, test::ProcessTree& tree, bool awake) {
    for (const char* part : {"sys", "run"}) {
        fs::copy(fs::path(kLayout) / part, root / part, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
    std::ofstream(root / kRadeon / "power/runtime_status") << (awake ? "active\n" : "suspended\n");
    std::string client;
    TextFile::read(fs::path(kLayout) / "proc/3100/fdinfo/42", client);
    for (int pid = 2; pid < 102; ++pid) tree.add(pid, "/", "kworker/" + std::to_string(pid), true);
    for (int i = 0; i < 500; ++i) {
        const int pid = 1000 + i;
        const auto group = (i % 2 ? "/system.slice/service-" : "/user.slice/user-1000.slice/app-") + std::to_string(i / 2 % 50);
        tree.add(pid, group, "worker " + std::to_string(i % 40));
        const auto folder = root / "proc" / std::to_string(pid);
        fs::create_directories(folder / "fd");
        for (int fd = 0; fd < 24; ++fd) {
            const bool gpu = fd == 20 && i % 100 == 7;
            const std::string target = gpu ? "/dev/dri/renderD129" : fd < 3 ? "/dev/null" : "socket:[" + std::to_string(pid * 100 + fd) + "]";
            fs::create_symlink(target, folder / "fd" / std::to_string(fd));
        }
        if (i % 100 == 7) {
            fs::create_directories(folder / "fdinfo");
            std::ofstream(folder / "fdinfo/20") << client;
        }
    }
}

void gpuFloor(benchmark::State& state, bool awake) {
    test::TempDir dir;
    test::ProcessTree tree(dir.path());
    makeMachine(dir.path(), tree, awake);
    const auto clock = std::make_shared<test::FakeClock>();
    ProcessMonitor processes(std::make_unique<LinuxProcessTable>(dir.path()), clock);
    const auto gate = std::make_shared<GpuGate>(clock);
    GpuMonitor gpus(std::make_unique<LinuxGpuSource>(dir.path(), gate, clock, "libnvidia-ml-not-installed.so.1"));
    SMCService gated(std::make_unique<HwmonSMCTransport>(dir.path(), gate));
    SMCService plain(std::make_unique<HwmonSMCTransport>(dir.path()));
    TemperatureMonitor withGate(gated), without(plain);
    double processSeconds = 0, gpuSeconds = 0, gatedSeconds = 0, plainSeconds = 0, firstSeconds = 0;
    const auto tick = [&] {
        for (int i = 0; i < 10; ++i) tree.run(1000 + i * 10, 1);
        clock->advance(2);
        timed(processSeconds, [&] { processes.sample(std::nullopt, 15); });
        timed(gpuSeconds, [&] { benchmark::DoNotOptimize(gpus.sample(false, processes)); });
        timed(gatedSeconds, [&] { benchmark::DoNotOptimize(withGate.sample()); });
        timed(plainSeconds, [&] { benchmark::DoNotOptimize(without.sample()); });
    };
    // The first tick finds the Radeon awake, the second searches every process for its clients.
    tick();
    tick();
    firstSeconds = gpuSeconds;
    processSeconds = gpuSeconds = gatedSeconds = plainSeconds = 0;
    std::int64_t ticks = 0;
    for (auto _ : state) {
        tick();
        ++ticks;
    }
    const auto perTick = [ticks](double seconds) { return seconds * 1e6 / static_cast<double>(std::max<std::int64_t>(ticks, 1)); };
    state.counters["processUs"] = perTick(processSeconds);
    state.counters["gpuUs"] = perTick(gpuSeconds);
    state.counters["temperatureUs"] = perTick(gatedSeconds);
    state.counters["gateUs"] = perTick(gatedSeconds - plainSeconds);
    state.counters["rise"] = (gpuSeconds + gatedSeconds - plainSeconds) / processSeconds * 100;
    state.counters["firstGpuUs"] = firstSeconds * 1e6;
}

void BM_HiddenTickGpusAsleep(benchmark::State& state) { gpuFloor(state, false); }
void BM_HiddenTickDiscreteGpuAwake(benchmark::State& state) { gpuFloor(state, true); }

}  // namespace

BENCHMARK(BM_HiddenTickGpusAsleep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HiddenTickDiscreteGpuAwake)->Unit(benchmark::kMicrosecond);
