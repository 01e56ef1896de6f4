#include "present/StatsJson.h"

#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

using nlohmann::json;

// A desktop without sensors, energy counters or battery, before its first reading: every field
// is there, sorted, and every figure is null but the rates, which are real zeros.
TEST(StatsJson, ADefaultSnapshotHasEveryFieldAndNoZeroFigures) {
    const json encoded = StatsJson::encode(SystemStats{});
    EXPECT_EQ(encoded.size(), 49u);  // the fields of SystemStats
    for (const auto& [key, value] : encoded.items()) {
        EXPECT_TRUE(!value.is_number() || key.ends_with("BytesPerSec")) << key << " is " << value;
    }
    EXPECT_EQ(encoded["thermalLevel"], nullptr) << "no thermal source: unknown, not nominal";
    EXPECT_TRUE(encoded.dump().starts_with(R"({"allTemperatures":{},"appGroups":[],"batteryAdapterWatts":null,)"));
}

TEST(StatsJson, ReadingsKeepTheirValuesAndMissingOnesAreNull) {
    SystemStats s = test::StatsBuilder().battery(62, test::Power::battery, 9.1).memory(6, 16).cores(0, 2);
    s.cpuTotalUsage = NAN;
    s.pCoreTemp = 61.5;
    s.totalPowerWatts = 7.25;
    s.powerMeter = PowerMeter::apu;
    s.batteryCycleCount = 312;
    s.batteryTimeRemaining = INFINITY;
    s.batteryHealthPercent = 91.5;  // a ratio: it needs no capacity in mAh
    s.thermalLevel = ThermalLevel::trapping;
    s.topProcesses = {{4242, "busy (worker)", 99.5, 1 << 20, 3, 120.25}};
    const json e = StatsJson::encode(s);
    const std::pair<const char*, json> expected[] = {
        {"cpuTotalUsage", nullptr}, {"eCoreAverage", nullptr}, {"pCoreAverage", 0.0}, {"memoryTotal", 16},
        {"memoryPressure", 0.0}, {"pCoreTemp", 61.5}, {"gpuTemp", nullptr}, {"totalPowerWatts", 7.25},
        {"dramPowerWatts", nullptr}, {"powerMeter", "apu"}, {"hasPowerMeter", true}, {"thermalLevel", "trapping"}, {"batteryIsPluggedIn", false},
        {"batteryCycleCount", 312}, {"batteryTimeRemaining", nullptr}, {"batteryHealthPercent", 91.5}, {"batteryChargeLevel", nullptr},
        {"batteryMaxCapacityMAh", nullptr}, {"systemBaselineWatts", nullptr},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(e[key], value) << key;
    EXPECT_EQ(e["pCoreUsages"][1], (json{{"coreIndex", 0}, {"isEfficiency", false}, {"usage", 0.0}}));
    EXPECT_EQ(e["topProcesses"][0], (json{{"pid", 4242}, {"name", "busy (worker)"}, {"cpuPercent", 99.5},
                                          {"memoryBytes", 1 << 20}, {"threadCount", 3}, {"energyImpact", 120.25}}));
}

TEST(StatsJson, GpusCarryTheirStateFiguresAndClients) {
    SystemStats s;
    s.gpus = {GpuStatus{.id = "0000:01:00.0", .name = "NVIDIA GeForce RTX 3050 Mobile", .driver = "nvidia",
                        .kind = GpuKind::discrete, .state = GpuState::active, .loadPercent = 41, .powerWatts = 6.2,
                        .clients = {{3100, "Steam", 37.0, 512}}},
              GpuStatus{.id = "0000:00:02.0", .name = "Intel Iris Xe Graphics", .driver = "i915", .state = GpuState::alwaysOn}};
    const json gpus = StatsJson::encode(s)["gpus"];
    EXPECT_EQ(gpus[0], (json{{"id", "0000:01:00.0"}, {"name", "NVIDIA GeForce RTX 3050 Mobile"}, {"driver", "nvidia"},
                             {"kind", "discrete"}, {"state", "active"}, {"loadPercent", 41.0}, {"powerWatts", 6.2},
                             {"temperature", nullptr}, {"memoryUsedBytes", nullptr}, {"memoryTotalBytes", nullptr},
                             {"clients", json::array({{{"pid", 3100}, {"name", "Steam"}, {"busyPercent", 37.0}, {"memoryBytes", 512}}})}}));
    EXPECT_EQ(std::tuple(gpus[1]["kind"], gpus[1]["state"], gpus[1]["clients"]),
              std::tuple("integrated", "alwaysOn", json::array()));
}

}  // namespace
}  // namespace corvelle
