// Cost of one monitor tick in each mode, and of each reader alone, against this machine.
#include "linux/DiskstatsSource.h"
#include "linux/LinuxMachine.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/ProcStatCpuSource.h"
#include "linux/SystemClock.h"
#include "monitor/SystemMonitor.h"
#include "settings/MemoryKeyValueStore.h"

#include "IdleLoop.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace corvelle;

namespace {

void tick(benchmark::State& state, bool visible) {
    AppSettings settings(std::make_shared<MemoryKeyValueStore>(), nullptr);
    MachineSources sources = makeLinuxMachineSources();
    sources.eventLoop = std::make_shared<IdleLoop>();
    sources.dataFolder = std::filesystem::temp_directory_path() / "corvelle-bench";
    SystemMonitor monitor(settings, std::move(sources));
    monitor.setPopoverVisible(visible);
    for (auto _ : state) monitor.poll();
}

void BM_TickHidden(benchmark::State& state) { tick(state, false); }
void BM_TickVisible(benchmark::State& state) { tick(state, true); }

template <typename Reader>
void sampleReader(benchmark::State& state, Reader& reader) {
    for (auto _ : state) benchmark::DoNotOptimize(reader.sample());
}

void BM_CPUMonitor(benchmark::State& state) {
    CPUMonitor reader(std::make_unique<ProcStatCpuSource>());
    sampleReader(state, reader);
}
void BM_MemoryMonitor(benchmark::State& state) {
    MemoryMonitor reader(std::make_unique<MeminfoSource>());
    sampleReader(state, reader);
}
void BM_DiskMonitor(benchmark::State& state) {
    DiskMonitor reader(std::make_unique<DiskstatsSource>(), std::make_shared<SystemClock>());
    sampleReader(state, reader);
}
void BM_NetworkMonitor(benchmark::State& state) {
    NetworkMonitor reader(std::make_unique<NetDevSource>(), std::make_shared<SystemClock>());
    sampleReader(state, reader);
}

}  // namespace

// CPU time is what the monitor costs the machine; the tick's wall time includes the threads.
BENCHMARK(BM_TickHidden)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_TickVisible)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CPUMonitor);
BENCHMARK(BM_MemoryMonitor);
BENCHMARK(BM_DiskMonitor);
BENCHMARK(BM_NetworkMonitor);
