#pragma once

#include "monitor/SystemMonitor.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeClock.h"
#include "support/FakeProcessTable.h"
#include "support/FakeSources.h"
#include "support/ManualEventLoop.h"
#include "support/RecordingNotifier.h"
#include "support/TempDir.h"

namespace corvelle::test {

// A SystemMonitor on fake sources, a fake clock and a manual event loop. The raw pointers
// stay valid while the monitor lives (it owns the sources).
struct MonitorHarness {
    MachineSources sources() {
        MachineSources s;
        s.clock = clock;
        s.eventLoop = loop;
        s.dataFolder = dir.path();
        s.cpuTicks = fresh(cpu);
        s.vmStats = fresh(vm);
        s.blockStats = fresh(blocks);
        s.netStats = fresh(net);
        s.processTable = fresh(processes);
        vm->total = 8ULL << 30;
        s.notifier = notifier;
        return s;
    }

    // A new fake, kept in `raw` for the test while the monitor owns it.
    template <typename Fake>
    static std::unique_ptr<Fake> fresh(Fake*& raw) {
        auto fake = std::make_unique<Fake>();
        raw = fake.get();
        return fake;
    }

    SystemMonitor& make() { return make(sources()); }
    // The monitor on other sources (this machine's, or the fakes with some replaced), with the
    // harness's loop and data folder.
    SystemMonitor& make(MachineSources other) {
        other.eventLoop = loop;
        other.dataFolder = dir.path();
        monitor = std::make_unique<SystemMonitor>(settings, std::move(other), telemetry);
        return *monitor;
    }

    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<ManualEventLoop> loop = std::make_shared<ManualEventLoop>(*clock);
    std::shared_ptr<MemoryKeyValueStore> store = std::make_shared<MemoryKeyValueStore>();
    AppSettings settings{store, nullptr};
    TempDir dir;
    FakeCpuTicks* cpu = nullptr;
    FakeVmStats* vm = nullptr;
    FakeBlockStats* blocks = nullptr;
    FakeNetStats* net = nullptr;
    FakeProcessTable* processes = nullptr;
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    std::shared_ptr<TelemetryService> telemetry;  // none: the monitor sends nothing
    std::unique_ptr<SystemMonitor> monitor;
};

}  // namespace corvelle::test
