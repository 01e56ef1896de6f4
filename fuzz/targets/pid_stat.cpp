// /proc/PID/stat
#include "FuzzCheck.h"
#include "linux/LinuxProcessTable.h"

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProcessTable::Task task;
    if (!LinuxProcessTable::parseStat(fuzz::text(data, size), {100, 4096}, task)) return 0;
    fuzz::require(task.threadCount >= 0, "no negative thread count");
    return 0;
}
