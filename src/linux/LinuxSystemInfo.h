#pragma once

#include "platform/SystemInfo.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// The machine's model from DMI (x86) or the device tree (ARM boards), and the distribution's
// name with the kernel release, read below `root`.
class LinuxSystemInfo : public SystemInfo {
public:
    explicit LinuxSystemInfo(std::filesystem::path root = "/");

    // "" when the firmware names no model.
    std::string machineModel() const override;
    // "Debian GNU/Linux 12 (bookworm) (kernel 6.1.0-18-amd64)"; "Linux" when nothing is known.
    std::string osVersion() const override;

    // The machine id (32 lower-case hex digits) of systemd, or of D-Bus where systemd set none;
    // absent when neither holds one.
    std::optional<std::string> machineId() const;

    // The PRETTY_NAME value of an os-release text with its quoting removed; absent when the
    // text has none or it is empty.
    static std::optional<std::string> prettyName(std::string_view osRelease);

private:
    std::optional<std::string> readNonEmpty(const char* relative) const;

    std::filesystem::path root_;
};

}  // namespace corvelle
