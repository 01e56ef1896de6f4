#include "linux/LinuxMachine.h"

#include "linux/DiskstatsSource.h"
#include "linux/HwmonSMCTransport.h"
#include "linux/LinuxProcessTable.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/Paths.h"
#include "linux/ProcStatCpuSource.h"
#include "linux/power/PowerMeterChoice.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsThermalSource.h"
#include "linux/SystemClock.h"
#include "linux/XdgDesktopEntries.h"
#include "linux/gpu/LinuxGpuSource.h"

namespace corvelle {

MachineSources makeLinuxMachineSources(const std::filesystem::path& root) {
    MachineSources sources;
    sources.clock = std::make_shared<SystemClock>();
    sources.cpuTicks = std::make_unique<ProcStatCpuSource>(root);
    sources.vmStats = std::make_unique<MeminfoSource>(root);
    sources.blockStats = std::make_unique<DiskstatsSource>(root);
    sources.netStats = std::make_unique<NetDevSource>(root);
    sources.processTable = std::make_unique<LinuxProcessTable>(root);
    sources.desktopEntries = std::make_unique<XdgDesktopEntries>(root, Paths::dataDirectories());
    sources.batteryRegistry = std::make_unique<SysfsBatteryRegistry>(root);
    // The GPUs and the temperature reader share one gate, which keeps both from waking a GPU.
    auto gate = std::make_shared<GpuGate>(sources.clock);
    sources.gpus = std::make_unique<LinuxGpuSource>(root, gate, sources.clock);
    sources.smcTransport = std::make_unique<HwmonSMCTransport>(root, gate);
    sources.thermal = std::make_unique<SysfsThermalSource>(root, sources.clock);
    sources.energyReport = std::make_unique<PowerMeterChoice>(root);
    return sources;
}

}  // namespace corvelle
