#pragma once

#include "platform/BatteryRegistry.h"
#include "platform/BlockStatsSource.h"
#include "platform/Clock.h"
#include "platform/CpuTicksSource.h"
#include "platform/DesktopEntries.h"
#include "platform/EnergyReportSource.h"
#include "platform/EventLoop.h"
#include "platform/GpuSource.h"
#include "platform/NetStatsSource.h"
#include "platform/Notifier.h"
#include "platform/ProcessTable.h"
#include "platform/SMCTransport.h"
#include "platform/SortKeys.h"
#include "platform/ThermalSource.h"
#include "platform/VmStatsSource.h"
#include "util/DataFolder.h"

#include <filesystem>
#include <memory>

namespace corvelle {

// Everything the system monitor reads from or talks to, handed over at construction. The
// monitor moves each source into the reader that uses it. Tests fill it with doubles; the app
// with the Linux implementations (makeLinuxMachineSources).
struct MachineSources {
    std::shared_ptr<Clock> clock;
    std::shared_ptr<EventLoop> eventLoop;
    // Where the usage history and the energy baselines live; a read-only folder keeps them from
    // being written.
    DataFolder dataFolder = std::filesystem::path();

    std::unique_ptr<CpuTicksSource> cpuTicks;
    std::unique_ptr<VmStatsSource> vmStats;
    std::unique_ptr<BlockStatsSource> blockStats;
    std::unique_ptr<NetStatsSource> netStats;
    std::unique_ptr<ProcessTable> processTable;
    // Names the applications processes belong to; none: processes are grouped by their own names.
    std::unique_ptr<DesktopEntries> desktopEntries;
    // Orders process names; none: by their bytes.
    std::shared_ptr<const SortKeys> sortKeys;
    std::unique_ptr<BatteryRegistry> batteryRegistry;
    std::unique_ptr<SMCTransport> smcTransport;
    std::unique_ptr<ThermalSource> thermal;
    std::unique_ptr<EnergyReportSource> energyReport;
    // None: the machine's GPUs are not looked at.
    std::unique_ptr<GpuSource> gpus;
    // Shared: the shell also asks it for permission at launch.
    std::shared_ptr<Notifier> notifier;
    // Seconds between the periodic writes of the usage files; the energy baselines are written
    // five times as often. Only tests shorten it (the app: CORVELLE_SAVE_INTERVAL).
    double checkpointInterval = 300;
};

}  // namespace corvelle
