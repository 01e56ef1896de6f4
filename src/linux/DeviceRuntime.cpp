#include "linux/DeviceRuntime.h"

#include "linux/TextFile.h"

namespace corvelle::DeviceRuntime {

bool isAsleep(const std::filesystem::path& device) {
    const auto status = TextFile::readTrimmed(device / "power/runtime_status");
    return status == "suspended" || status == "suspending";
}

}  // namespace corvelle::DeviceRuntime
