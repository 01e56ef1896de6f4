// A whole day at a one-second interval: 86,400 hidden ticks on a fake clock that crosses local
// midnight, reading the recorded trees of the tests. Prints the cost per tick and the resident
// memory hour by hour; both should stay flat (bounded buffers, no growth per tick).
#include "linux/DiskstatsSource.h"
#include "linux/HwmonSMCTransport.h"
#include "linux/LinuxProcessTable.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/ProcStatCpuSource.h"
#include "linux/power/RaplEnergySource.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsThermalSource.h"
#include "monitor/SystemMonitor.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/ProcessWideState.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <deque>
#include <fstream>

using namespace corvelle;

namespace {

constexpr int kTicksPerHour = 3600;

// Posted work (the deferred saves) runs after each tick; timers never fire.
class QueueLoop : public EventLoop {
public:
    void post(std::function<void()> work) override { posted_.push_back(std::move(work)); }
    TimerId startRepeating(double, std::function<void()>) override { return 1; }
    TimerId startSingleShot(double, std::function<void()>) override { return 1; }
    void cancel(TimerId) override {}
    void runPosted() {
        while (!posted_.empty()) {
            auto work = std::move(posted_.front());
            posted_.pop_front();
            work();
        }
    }

private:
    std::deque<std::function<void()>> posted_;
};

double residentMegabytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

MachineSources recordedMachine(const std::shared_ptr<test::FakeClock>& clock) {
    using test::fixture;
    MachineSources sources;
    sources.clock = clock;
    sources.cpuTicks = std::make_unique<ProcStatCpuSource>(fixture("sampling/laptop"));
    sources.vmStats = std::make_unique<MeminfoSource>(fixture("sampling/laptop"));
    sources.blockStats = std::make_unique<DiskstatsSource>(fixture("sampling/laptop"));
    sources.netStats = std::make_unique<NetDevSource>(fixture("sampling/laptop"));
    sources.processTable = std::make_unique<LinuxProcessTable>(fixture("processes"));
    sources.batteryRegistry = std::make_unique<SysfsBatteryRegistry>(fixture("battery/charge-discharging"));
    sources.smcTransport = std::make_unique<HwmonSMCTransport>(fixture("hwmon/intel-hybrid"));
    sources.thermal = std::make_unique<SysfsThermalSource>(fixture("thermal/laptop"), clock);
    sources.energyReport = std::make_unique<RaplEnergySource>(fixture("rapl/readable"));
    return sources;
}

void BM_DayAtOneSecond(benchmark::State& state) {
    setenv("TZ", "UTC0", 1);
    tzset();
    test::installProcessWideState();
    for (auto _ : state) {
        test::TempDir data;
        // Noon: the day changes halfway through.
        auto clock = std::make_shared<test::FakeClock>(std::floor(1'750'000'000.0 / 86400) * 86400 + 12 * 3600.0);
        auto loop = std::make_shared<QueueLoop>();
        AppSettings settings(std::make_shared<MemoryKeyValueStore>(), nullptr);
        settings.setPollingInterval(1);
        MachineSources sources = recordedMachine(clock);
        sources.eventLoop = loop;
        sources.dataFolder = data.path();
        SystemMonitor monitor(settings, std::move(sources));
        monitor.start();

        std::vector<double> microsPerTick, megabytes;
        for (int hour = 0; hour < 24; ++hour) {
            const auto began = std::chrono::steady_clock::now();
            for (int tick = 0; tick < kTicksPerHour; ++tick) {
                clock->advance(1);
                monitor.poll();
                loop->runPosted();
            }
            const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - began;
            microsPerTick.push_back(spent.count() / kTicksPerHour);
            megabytes.push_back(residentMegabytes());
            std::printf("hour %2d  %8.1f us/tick  %7.1f MB resident%s\n", hour + 1, microsPerTick.back(),
                        megabytes.back(), hour == 11 ? "  (the day changed in this hour)" : "");
            std::fflush(stdout);
        }
        monitor.stop();
        // The first hour warms caches up; flatness is measured from the second on.
        const auto [fastest, slowest] = std::minmax_element(microsPerTick.begin() + 1, microsPerTick.end());
        state.counters["slowest_hour_vs_fastest"] = *slowest / *fastest;
        state.counters["resident_growth_MB"] = megabytes.back() - megabytes[1];
        state.counters["us_per_tick"] = microsPerTick.back();
    }
}

}  // namespace

BENCHMARK(BM_DayAtOneSecond)->Iterations(1)->Unit(benchmark::kSecond);
