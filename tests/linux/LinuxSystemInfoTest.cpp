#include "linux/LinuxSystemInfo.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(LinuxSystemInfo, ReadsModelAndVersionFromRecordedTreesAndUnquotesThePrettyName) {
    // Tree, machine model, system version and machine id.
    const std::tuple<const char*, const char*, const char*, std::optional<std::string>> cases[] = {
        {"laptop", "20XW0055GE", "Debian GNU/Linux 12 (bookworm) (kernel 6.1.0-18-amd64)",
         "4c4c4544004c3510804bb4c04f4e3732"},
        // Blank DMI name: the device tree's NUL-terminated model; the name from /usr/lib; systemd's
        // id not yet written: D-Bus's.
        {"board", "Raspberry Pi 4 Model B Rev 1.4", "Raspbian GNU/Linux 11 (bullseye) (kernel 6.1.21-v8+)",
         "b8e1a9d2c3f44e5fa6b7c8d9e0f1a2b3"},
        {"does-not-exist", "", "Linux", std::nullopt},
    };
    for (const auto& [tree, model, version, id] : cases) {
        const LinuxSystemInfo info(test::fixture(std::string("sysinfo/") + tree));
        EXPECT_EQ(std::tuple(info.machineModel(), info.osVersion(), info.machineId()), std::tuple(model, version, id))
            << tree;
    }
    // The pretty name, unquoted as the shell would.
    const std::pair<const char*, std::optional<std::string>> prettyNames[] = {
        {"PRETTY_NAME=\"Fedora Linux 40 (Workstation Edition)\"\n", "Fedora Linux 40 (Workstation Edition)"},
        {"PRETTY_NAME='Arch Linux'", "Arch Linux"}, {"PRETTY_NAME=Gentoo\r\n", "Gentoo"},
        {"PRETTY_NAME=\"Say \\\"hi\\\" \\\\ \\$5\"", "Say \"hi\" \\ $5"},
        {"NAME=\"Ubuntu\"\n#PRETTY_NAME=\"hidden\"\n", std::nullopt}, {"PRETTY_NAME=\"\"", std::nullopt},
    };
    for (const auto& [text, expected] : prettyNames) EXPECT_EQ(LinuxSystemInfo::prettyName(text), expected) << text;
}

}  // namespace
}  // namespace corvelle
