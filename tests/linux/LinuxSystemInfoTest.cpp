#include "linux/LinuxSystemInfo.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(LinuxSystemInfo, ReadsModelAndVersionFromRecordedTrees) {
    // Tree, machine model and system version.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"laptop", "20XW0055GE", "Debian GNU/Linux 12 (bookworm) (kernel 6.1.0-18-amd64)"},
        // Blank DMI name: the device tree's NUL-terminated model; the name from /usr/lib.
        {"board", "Raspberry Pi 4 Model B Rev 1.4", "Raspbian GNU/Linux 11 (bullseye) (kernel 6.1.21-v8+)"},
        {"does-not-exist", "", "Linux"},
    };
    for (const auto& [tree, model, version] : cases) {
        const LinuxSystemInfo info(test::fixture(std::string("sysinfo/") + tree));
        EXPECT_EQ(std::tuple(info.machineModel(), info.osVersion()), std::tuple(model, version)) << tree;
    }
}

TEST(LinuxSystemInfo, UnquotesPrettyName) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"PRETTY_NAME=\"Fedora Linux 40 (Workstation Edition)\"\n", "Fedora Linux 40 (Workstation Edition)"},
        {"PRETTY_NAME='Arch Linux'", "Arch Linux"}, {"PRETTY_NAME=Gentoo\r\n", "Gentoo"},
        {"PRETTY_NAME=\"Say \\\"hi\\\" \\\\ \\$5\"", "Say \"hi\" \\ $5"},
        {"NAME=\"Ubuntu\"\n#PRETTY_NAME=\"hidden\"\n", std::nullopt}, {"PRETTY_NAME=\"\"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(LinuxSystemInfo::prettyName(text), expected) << text;
}

}  // namespace
}  // namespace corvelle
