#include "linux/LinuxMachine.h"

#include "linux/DiskstatsSource.h"
#include "linux/LinuxProcessTable.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/ProcStatCpuSource.h"
#include "linux/SystemClock.h"

namespace corvelle {

MachineSources makeLinuxMachineSources(const std::filesystem::path& root) {
    MachineSources sources;
    sources.clock = std::make_shared<SystemClock>();
    sources.cpuTicks = std::make_unique<ProcStatCpuSource>(root);
    sources.vmStats = std::make_unique<MeminfoSource>(root);
    sources.blockStats = std::make_unique<DiskstatsSource>(root);
    sources.netStats = std::make_unique<NetDevSource>(root);
    sources.processTable = std::make_unique<LinuxProcessTable>(root);
    return sources;
}

}  // namespace corvelle
