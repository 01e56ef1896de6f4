#include "linux/HwmonSMCTransport.h"

#include "sampling/TemperatureMonitor.h"
#include "support/Fixtures.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

std::optional<TemperatureMonitor::Snapshot> sampleOf(const std::filesystem::path& root) {
    SMCService smc(std::make_unique<HwmonSMCTransport>(root));
    return TemperatureMonitor(smc).sample();
}

// Recorded sensor layouts of real machines and the figures lm-sensors names for them; 0 is no
// reading. Values pass through the controller's single-precision floats, hence the tolerance.
TEST(HwmonSMCTransport, RealLayoutsGiveTheCpuTheHottestGpuAndEveryFan) {
    const struct { const char* tree; double cpu, efficiencyCores, gpu; std::vector<std::int32_t> fans; } rows[] = {
        {"thinkpad-t430", 55, 0, 0, {2413}},                 // package, not the cores' mean
        {"latitude-e6400", 66, 0, 0, {3345}},                // no package: the hottest core
        {"xps13-tigerlake", 64, 0, 0, {4012}},               // fan2 above its maximum
        {"x1carbon-alderlake", 55, 50, 0, {2900}},           // hybrid: P-cores 0-12, the 8th E-core the hottest
        {"xeon-two-packages", 52, 0, 0, {}},                 // the hotter package
        {"intel-zones-only", 57, 0, 0, {}},                  // x86_pkg_temp before acpitz and the PCH
        {"hp-trinity", 58.5, 0, 52, {}},                     // unlabelled k10temp and radeon
        {"turion-k8", 52, 0, 0, {}},
        {"amd-desktop", 65.5, 0, 52, {1200}},                // Tctl alone; junction, not mem
        {"asus-rembrandt-two-gpus", 72.5, 0, 71, {2800, 3000}},  // the discrete GPU; its 65535 fan dropped
        {"ryzen-1700x-offset", 36, 0, 0, {1102, 0}},         // Tdie, not the offset Tctl; a stopped fan
        {"raspberry-pi5", 55.1, 0, 0, {2711}},
        {"snapdragon-zones-only", 54.8, 0, 47.3, {}},        // CPU and GPU zones, not the NPU's
        {"thinkpad-controller-only", 49, 0, 0, {3100}},
        {"acpitz-only", 40, 0, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tree);
        const auto s = sampleOf(test::fixture(std::string("hwmon/") + row.tree));
        ASSERT_TRUE(s);
        EXPECT_NEAR(s->pCoreTemp, row.cpu, 1e-4);
        EXPECT_NEAR(s->eCoreTemp, row.efficiencyCores, 1e-4);
        EXPECT_NEAR(s->gpuTemp, row.gpu, 1e-4);
        EXPECT_EQ(s->fanSpeeds, row.fans);
    }
}

// No usable sensor is no connection; a connection answers only mapped keys.
TEST(HwmonSMCTransport, AnswersOnlyMappedKeysWithFloatsAndRejectsOtherCalls) {
    for (const char* tree : {"hwmon/unmapped", "hwmon/does-not-exist"}) {
        EXPECT_FALSE(HwmonSMCTransport(test::fixture(tree)).open()) << tree;
        EXPECT_FALSE(sampleOf(test::fixture(tree))) << tree;
    }
    HwmonSMCTransport transport(test::fixture("hwmon/amd-desktop"));
    ASSERT_TRUE(transport.open());
    SMCParamRecord in, out;
    in.key = fourCharCode("Tp01");
    in.command = SMCParamRecord::kCommandReadKey;
    ASSERT_TRUE(transport.call(2, in, out));
    EXPECT_EQ(std::tuple(out.dataType, out.dataSize), std::tuple(fourCharCode("flt "), 4u));
    EXPECT_EQ(TemperatureMonitor::decodeTemperature({out.bytes[0], out.bytes[1], out.bytes[2], out.bytes[3]},
                                                    out.dataType),
              65.5);
    EXPECT_FALSE(transport.call(3, in, out));  // another selector
    in.command = 7;
    EXPECT_FALSE(transport.call(2, in, out));
    in.key = fourCharCode("Te05");  // no efficiency cores here
    in.command = SMCParamRecord::kCommandGetKeyInfo;
    EXPECT_FALSE(transport.call(2, in, out));
}

TEST(HwmonSMCTransport, RescansWhenASensorFileDisappears) {
    test::WritableFixture tree("hwmon/amd-desktop");
    SMCService smc(std::make_unique<HwmonSMCTransport>(tree.root()));
    TemperatureMonitor monitor(smc);
    ASSERT_TRUE(monitor.sample());

    // The GPU driver is reloaded and comes back under another number.
    std::filesystem::rename(tree.root() / "sys/class/hwmon/hwmon1", tree.root() / "sys/class/hwmon/hwmon7");
    tree.write("sys/class/hwmon/hwmon7/temp2_input", "55000");
    EXPECT_EQ(monitor.sample().value().gpuTemp, 55);
}

}  // namespace
}  // namespace corvelle
