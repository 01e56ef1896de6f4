#include "linux/gpu/RuntimePm.h"

#include "linux/TextFile.h"

namespace corvelle::RuntimePm {

Status parse(std::optional<std::string_view> status, std::string_view control) {
    // Without the file the kernel has no runtime power management for it at all.
    if (!status || *status == "unsupported") return Status::alwaysOn;
    if (*status == "active") return control == "on" ? Status::alwaysOn : Status::active;
    if (*status == "resuming") return Status::resuming;
    return Status::suspended;
}

Status read(const std::filesystem::path& device) {
    const auto status = TextFile::readTrimmed(device / "power/runtime_status");
    if (!status || *status != "active") return parse(status, {});
    return parse(status, TextFile::readTrimmed(device / "power/control").value_or(""));
}

}  // namespace corvelle::RuntimePm
