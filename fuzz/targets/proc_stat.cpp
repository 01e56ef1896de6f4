// /proc/stat and kernel CPU lists (/sys/devices/cpu_atom/cpus).
#include "FuzzCheck.h"
#include "linux/ProcStatCpuSource.h"

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::text(data, size);
    if (const auto rows = ProcStatCpuSource::parse(input)) {
        for (size_t i = 0; i < rows->size(); ++i) {
            fuzz::require((*rows)[i].cpu >= 0, "no negative CPU number");
            fuzz::require(i == 0 || (*rows)[i - 1].cpu < (*rows)[i].cpu, "each CPU once, in order");
        }
    }
    if (const auto cpus = ProcStatCpuSource::parseCpuList(input)) {
        for (size_t i = 0; i < cpus->size(); ++i) {
            fuzz::require((*cpus)[i] >= 0, "no negative CPU number");
            fuzz::require(i == 0 || (*cpus)[i - 1] < (*cpus)[i], "each CPU once, in order");
        }
    }
    return 0;
}
