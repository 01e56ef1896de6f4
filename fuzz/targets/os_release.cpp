// /etc/os-release
#include "FuzzCheck.h"
#include "linux/LinuxSystemInfo.h"

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto name = LinuxSystemInfo::prettyName(fuzz::text(data, size))) {
        fuzz::require(!name->empty() && name->find('\n') == std::string::npos, "one non-empty line");
    }
    return 0;
}
