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
    MonitorHarness() : loop(std::make_shared<ManualEventLoop>(*clock)) {}

    MachineSources sources() {
        MachineSources s;
        s.clock = clock;
        s.eventLoop = loop;
        s.dataFolder = dir.path();
        auto cpuSource = std::make_unique<FakeCpuTicks>();
        auto vmSource = std::make_unique<FakeVmStats>();
        auto blockSource = std::make_unique<FakeBlockStats>();
        auto netSource = std::make_unique<FakeNetStats>();
        auto processSource = std::make_unique<FakeProcessTable>();
        cpu = cpuSource.get();
        vm = vmSource.get();
        blocks = blockSource.get();
        net = netSource.get();
        processes = processSource.get();
        vm->total = 8ULL << 30;
        s.cpuTicks = std::move(cpuSource);
        s.vmStats = std::move(vmSource);
        s.blockStats = std::move(blockSource);
        s.netStats = std::move(netSource);
        s.processTable = std::move(processSource);
        s.notifier = notifier;
        return s;
    }

    SystemMonitor& make() {
        monitor = std::make_unique<SystemMonitor>(settings, sources(), telemetry);
        return *monitor;
    }

    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<ManualEventLoop> loop;
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
