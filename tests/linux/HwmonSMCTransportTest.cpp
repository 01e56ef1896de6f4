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

// Efficiency-core, performance-core and GPU temperatures, and the fan speeds.
auto figures(const TemperatureMonitor::Snapshot& s) {
    return std::tuple(s.eCoreTemp, s.pCoreTemp, s.gpuTemp, s.fanSpeeds);
}

TEST(HwmonSMCTransport, IntelHybridSplitsCoresByTopology) {
    const auto s = sampleOf(test::fixture("hwmon/intel-hybrid"));
    ASSERT_TRUE(s);
    EXPECT_EQ(figures(*s), std::tuple((48 + 50 + 52 + 54) / 4.0, 61, 0, std::vector<std::int32_t>{2900, 3100}));
    EXPECT_EQ(s->allTemps, (std::map<std::string, double>{
                               {"Te05", 48}, {"Te0S", 50}, {"Te09", 52}, {"Te0H", 54}, {"Tp01", 60}, {"Tp05", 62}}));
}

TEST(HwmonSMCTransport, AmdDesktopReadsTctlTccdAndGpuEdge) {
    const auto s = sampleOf(test::fixture("hwmon/amd-desktop"));
    ASSERT_TRUE(s);
    EXPECT_EQ(figures(*s), std::tuple(0, (65.5 + 60.25 + 58) / 3, 47, std::vector<std::int32_t>{1200}));
    EXPECT_EQ(s->allTemps.size(), 4u);
}

TEST(HwmonSMCTransport, NoUsableSensorMeansNoConnection) {
    for (const char* tree : {"hwmon/unmapped", "hwmon/does-not-exist"}) {
        EXPECT_FALSE(HwmonSMCTransport(test::fixture(tree)).open()) << tree;
        EXPECT_FALSE(sampleOf(test::fixture(tree))) << tree;
    }
}

TEST(HwmonSMCTransport, MoreSensorsThanKeysShareKeysEvenly) {
    std::vector<HwmonDevice> devices{{"/k", "k10temp", {}, {}}};
    for (int i = 1; i <= 16; ++i) devices[0].temperatures.push_back({i, "Tccd" + std::to_string(i)});
    const auto keys = HwmonSMCTransport::mapKeys(devices, {});
    ASSERT_EQ(keys.size(), 8u);
    for (const auto& [code, files] : keys) EXPECT_EQ(files.files.size(), 2u);
}

TEST(HwmonSMCTransport, AnswersOnlyMappedKeysWithFloatsAndRejectsOtherCalls) {
    HwmonSMCTransport transport(test::fixture("hwmon/amd-desktop"));
    ASSERT_TRUE(transport.open());
    SMCParamRecord in, out;
    in.key = fourCharCode("Tp05");
    in.command = SMCParamRecord::kCommandReadKey;
    ASSERT_TRUE(transport.call(2, in, out));
    EXPECT_EQ(std::tuple(out.dataType, out.dataSize), std::tuple(fourCharCode("flt "), 4u));
    EXPECT_EQ(TemperatureMonitor::decodeTemperature({out.bytes[0], out.bytes[1], out.bytes[2], out.bytes[3]},
                                                    out.dataType),
              60.25);
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
    tree.write("sys/class/hwmon/hwmon7/temp1_input", "51000");
    EXPECT_EQ(monitor.sample().value().gpuTemp, 51);
}

}  // namespace
}  // namespace corvelle
