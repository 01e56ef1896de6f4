#include "sampling/TemperatureMonitor.h"

#include "platform/SMCKeys.h"
#include "support/FakeSMCTransport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvelle {
namespace {

using test::FakeSMCTransport;

TEST(TemperatureMonitorDecoding, TemperatureAndFanTypesAndOpenBounds) {
    const struct { const char* type; SMCService::Bytes bytes; std::optional<double> expected; } cases[] = {
        // sp78: -1.0 and 0 (no reading) are refused, the smallest step is not.
        {"sp78", {0x2D, 0x80}, 45.5}, {"sp78", {0xFF, 0x00}, std::nullopt}, {"sp78", {0x00, 0x00}, std::nullopt},
        {"sp78", {0x00, 0x01}, 1.0 / 256},
        // ioft: 150.0 is beyond the open upper bound; 0xFF is 255 unsigned, not -1.
        {"ioft", {0x96, 0x00}, std::nullopt}, {"ioft", {0x95, 0xFF}, 0x95FF / 256.0}, {"ioft", {0xFF, 0x00}, std::nullopt},
        // flt: 45.0, not a number, -45.0.
        {"flt ", {0x42, 0x34, 0x00, 0x00}, 45.0}, {"flt ", {0x7F, 0xC0, 0x00, 0x00}, std::nullopt},
        {"flt ", {0xC2, 0x34, 0x00, 0x00}, std::nullopt},
        // Other types read as sp78 with the same bounds (0xD8 is -40.0).
        {"ui16", {0xD8, 0x00}, std::nullopt}, {"ui16", {0x2D, 0x80}, 45.5}, {"ui16", {0x96, 0x00}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TemperatureMonitor::decodeTemperature(c.bytes, fourCharCode(c.type)), c.expected)
            << c.type << " " << int(c.bytes[0]) << " " << int(c.bytes[1]);
    }
    // Fan speeds.
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const struct { const char* type; SMCService::Bytes bytes; std::optional<std::int32_t> expected; } fans[] = {
        {"fpe2", {0x1F, 0x40}, 2000}, {"fpe2", {0xFF, 0xFF}, 16383}, {"ui16", {0x1F, 0x40}, 8000},
        {"flt ", {0x44, 0x4B, 0x39, 0x9A}, 812},            // 812.9
        {"flt ", {0xC0, 0xA0, 0x00, 0x00}, std::nullopt},  // -5.0
        {"flt ", {0xBF, 0x00, 0x00, 0x00}, 0},             // -0.5 truncates to 0
        {"flt ", {0x7F, 0x80, 0x00, 0x00}, std::nullopt},  // infinity
        {"flt ", {0x7F, 0xC0, 0x00, 0x00}, std::nullopt},  // not a number
        {"flt ", {0x4F, 0x32, 0xD0, 0x5E}, kMax},          // 3e9
        {"flt ", {0x71, 0x49, 0xF2, 0xCA}, kMax},          // 1e30, beyond 64 bits
    };
    for (const auto& c : fans) {
        EXPECT_EQ(TemperatureMonitor::decodeFanSpeed(c.bytes, fourCharCode(c.type)), c.expected)
            << c.type << " " << int(c.bytes[0]) << " " << int(c.bytes[1]);
    }
}

// Two fans at 2000 rpm and no temperature keys until a test sets them.
struct Machine {
    FakeSMCTransport* transport = new FakeSMCTransport;
    std::unique_ptr<SMCService> smc = std::make_unique<SMCService>(std::unique_ptr<SMCTransport>(transport));
    Machine() { for (auto key : {"F0Ac", "F1Ac"}) transport->setKey(key, "fpe2", {0x1F, 0x40}); }
};

TEST(TemperatureMonitor, AveragesEachGroupAndSortsByKey) {
    Machine m;
    m.transport->setKey("Tp05", "sp78", {0x2D, 0x80});  // 45.5
    m.transport->setKey("Tg0H", "flt ", {0x42, 0x34, 0x00, 0x00});  // 45
    TemperatureMonitor monitor(*m.smc);
    auto s = monitor.sample().value();
    EXPECT_EQ(std::tie(s.eCoreTemp, s.pCoreTemp, s.gpuTemp, s.sortedTemperatures, s.fanSpeeds),
              std::make_tuple(0.0, 45.5, 45.0, std::vector<SensorReading>{{"Tg0H", 45}, {"Tp05", 45.5}},
                              std::vector<std::int32_t>{2000, 2000}));
    EXPECT_EQ(s.allTemperatures.size(), 2u);

    m.transport->setKey("Tp01", "sp78", {0x3C, 0x00});  // 60
    m.transport->setKey("Tp09", "sp78", {0x00, 0x00});  // rejected, not averaged in
    m.transport->setKey("Te05", "sp78", {0x28, 0x00});  // 40
    m.transport->removeKey("F1Ac");
    s = monitor.sample().value();
    EXPECT_EQ(std::tie(s.eCoreTemp, s.pCoreTemp), std::make_tuple(40.0, (45.5 + 60) / 2));
    EXPECT_EQ(s.allTemperatures.count("Tp09"), 0u);
    EXPECT_EQ(s.fanSpeeds, (std::vector<std::int32_t>{2000}));
}

TEST(TemperatureMonitor, NoTemperatureMeansNoSnapshotAndNoFanReads) {
    Machine m;
    m.transport->setKey("Tp05", "sp78", {0xFF, 0x00});  // rejected
    TemperatureMonitor monitor(*m.smc);
    EXPECT_FALSE(monitor.sample());
    for (const auto& call : m.transport->calls) EXPECT_NE(call.input.key, fourCharCode("F0Ac"));
    EXPECT_FALSE(TemperatureMonitor(*std::make_unique<SMCService>(nullptr)).sample());
}

TEST(TemperatureMonitor, WarmTypeCacheCostsTwoCallsPerKey) {
    Machine m;
    namespace Keys = Constants::SMCKeys;
    for (auto key : Keys::eCoreTemps) m.transport->setKey(key, "sp78", {0x2D, 0x80});
    for (auto key : Keys::pCoreTemps) m.transport->setKey(key, "sp78", {0x2D, 0x80});
    for (auto key : Keys::gpuTemps) m.transport->setKey(key, "sp78", {0x2D, 0x80});
    TemperatureMonitor monitor(*m.smc);
    ASSERT_TRUE(monitor.sample());
    m.transport->calls.clear();
    ASSERT_TRUE(monitor.sample());
    // The eight fan keys this machine lacks cost one refused key-info call each.
    EXPECT_EQ(m.transport->calls.size(), 2u * 18 + (Keys::fanSpeed.size() - 2));
}

}  // namespace
}  // namespace corvelle
