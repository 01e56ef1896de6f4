#include "linux/gpu/GpuInventory.h"
#include "linux/gpu/RuntimePm.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// Recorded layouts (see tests/fixtures/gpu/README.md): every GPU with its slot, driver, name,
// kind and device files, integrated first.
TEST(GpuInventory, RecordedLayoutsNameEveryGpuItsKindAndItsDeviceFiles) {
    using Nodes = std::vector<std::string>;
    const struct {
        const char* layout;
        std::vector<std::tuple<std::string, std::string, std::string, bool, Nodes>> gpus;
    } rows[] = {
        // NVIDIA's driver: its own device file besides the modesetting module's nodes.
        {"hybrid-intel-nvidia",
         {{"0000:00:02.0", "i915", "Intel Iris Xe Graphics", false, {"/dev/dri/card1", "/dev/dri/renderD128"}},
          {"0000:01:00.0", "nvidia", "NVIDIA GeForce RTX 3050 Mobile", true,
           {"/dev/dri/card0", "/dev/dri/renderD129", "/dev/nvidia0"}}}},
        {"hybrid-intel-nouveau",
         {{"0000:00:02.0", "i915", "Intel Iris Xe Graphics", false, {"/dev/dri/card1", "/dev/dri/renderD128"}},
          {"0000:01:00.0", "nouveau", "NVIDIA GeForce RTX 3050 Mobile", true, {"/dev/dri/card0", "/dev/dri/renderD129"}}}},
        // Both on amdgpu, off the first bus: the processor's by its northbridge voltage, the
        // discrete one asleep.
        {"amd-apu-amd-dgpu",
         {{"0000:37:00.0", "amdgpu", "AMD Radeon 680M", false, {"/dev/dri/card1", "/dev/dri/renderD128"}},
          {"0000:03:00.0", "amdgpu", "AMD Radeon RX 6700/6700 XT/6750 XT / 6800M/6850M XT", true,
           {"/dev/dri/card0", "/dev/dri/renderD129"}}}},
        {"intel-arc-xe",
         {{"0000:00:02.0", "i915", "Intel UHD Graphics 770", false, {"/dev/dri/card1", "/dev/dri/renderD129"}},
          {"0000:03:00.0", "xe", "Intel Arc A770", true, {"/dev/dri/card0", "/dev/dri/renderD128"}}}},
        {"desktop-one-card",
         {{"0000:03:00.0", "amdgpu", "AMD Radeon RX 7900 XT/7900 XTX/7900M", true, {"/dev/dri/card0", "/dev/dri/renderD128"}}}},
        {"does-not-exist", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.layout);
        const auto gpus = GpuInventory::scan(test::fixture(std::string("gpu/") + row.layout));
        ASSERT_EQ(gpus.size(), row.gpus.size());
        for (size_t i = 0; i < gpus.size(); ++i) {
            EXPECT_EQ(std::tie(gpus[i].id, gpus[i].driver, gpus[i].name, gpus[i].discrete, gpus[i].nodes), row.gpus[i]);
        }
    }
}

// Beyond the recorded layouts: an older AMD processor's graphics on the first bus, a GPU off the
// PCI bus, no udev record, a model without a marketing name.
TEST(GpuInventory, KindAndNameRules) {
    EXPECT_FALSE(GpuInventory::isDiscrete("radeon", "0000:00:01.0", false));
    EXPECT_FALSE(GpuInventory::isDiscrete("i915", "soc-gpu", false));
    EXPECT_EQ(GpuInventory::productName("nvidia", ""), "NVIDIA GPU");
    EXPECT_EQ(GpuInventory::productName("amdgpu", "E:ID_MODEL_FROM_DATABASE=Navi 10\n"), "AMD Navi 10");
}

TEST(RuntimePm, StatusAndControlGiveWhetherTheDeviceMayBeRead) {
    using enum RuntimePm::Status;
    const std::tuple<std::optional<std::string_view>, std::string_view, RuntimePm::Status> rows[] = {
        {std::nullopt, "", alwaysOn},  // no runtime power management files
        {"unsupported", "auto", alwaysOn},
        {"active", "auto", active},
        {"active", "on", alwaysOn},  // management turned off: it never sleeps
        {"suspended", "auto", suspended},
        {"suspending", "auto", suspended},
        {"resuming", "auto", resuming},
        {"error", "auto", suspended},
    };
    for (const auto& [status, control, expected] : rows) {
        EXPECT_EQ(RuntimePm::parse(status, control), expected) << status.value_or("(none)") << " " << control;
        EXPECT_EQ(RuntimePm::mayRead(expected), expected == active || expected == alwaysOn);
    }
}

}  // namespace
}  // namespace corvelle
