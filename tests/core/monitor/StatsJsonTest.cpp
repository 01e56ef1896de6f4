#include "monitor/StatsJson.h"

#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

using nlohmann::json;

// Every field of SystemStats, so a field added to the record and forgotten here shows up.
const std::vector<std::string> fieldNames{
    "cpuTotalUsage", "cpuUserUsage", "cpuSystemUsage", "coreUsages", "eCoreUsages", "pCoreUsages", "eCoreAverage",
    "pCoreAverage", "topProcesses", "appGroups", "memoryUsed", "memoryTotal", "memoryPressure", "memoryActive",
    "memoryWired", "memoryCompressed", "memoryAppUsed", "thermalLevel", "eCoreTemp", "pCoreTemp", "gpuTemp",
    "fanSpeeds", "allTemperatures", "sortedTemperatures", "cpuPowerWatts", "gpuPowerWatts", "totalPowerWatts",
    "dramPowerWatts", "diskReadBytesPerSec", "diskWriteBytesPerSec", "networkInBytesPerSec",
    "networkOutBytesPerSec", "batteryPercentage", "batteryWatts", "batteryIsCharging", "batteryIsPluggedIn",
    "batteryHealthPercent", "batteryCycleCount", "batteryTimeRemaining", "batteryMaxCapacityMAh",
    "batteryDesignCapacityMAh", "batteryAdapterWatts", "systemBaselineWatts", "processComparisons"};

// A desktop without sensors, energy counters or battery, before its first reading: every
// figure is null but the rates, which are real zeros, and the lists, which are empty.
TEST(StatsJson, ADefaultSnapshotHasEveryFieldAndNoZeroFigures) {
    const json encoded = StatsJson::encode(SystemStats{});
    std::vector<std::string> keys;
    for (const auto& [key, value] : encoded.items()) {
        keys.push_back(key);
        if (value.is_number()) {
            EXPECT_TRUE(key.ends_with("BytesPerSec")) << key << " is " << value;
        }
        if (value.is_array()) {
            EXPECT_TRUE(value.empty()) << key;
        }
    }
    auto sorted = fieldNames;
    std::ranges::sort(sorted);
    EXPECT_EQ(keys, sorted);
    EXPECT_EQ(encoded["thermalLevel"], "nominal");
    EXPECT_EQ(encoded["batteryHealthPercent"], nullptr);  // the default 100 is not a reading
    // Compact text comes out with its keys in order.
    EXPECT_TRUE(encoded.dump().starts_with("{\"allTemperatures\":{},\"appGroups\":[],\"batteryAdapterWatts\":null"));
}

TEST(StatsJson, ReadingsAndRecordsKeepTheirFields) {
    SystemStats s = test::StatsBuilder().battery(62, test::Power::battery, 9.1).memory(6ULL << 30, 16ULL << 30).cores(0, 2);
    s.cpuTotalUsage = 23.4;
    s.pCoreAverage = 18;
    s.pCoreTemp = 61.5;
    s.totalPowerWatts = 7.25;
    s.batteryCycleCount = 312;
    s.batteryTimeRemaining = 3900;
    s.batteryDesignCapacityMAh = 5000;
    s.batteryHealthPercent = 91.5;
    s.thermalLevel = ThermalLevel::trapping;
    s.topProcesses = {{4242, "busy (worker)", 99.5, 1ULL << 20, 3, 120.25}};
    s.sortedTemperatures = {{"Package id 0", 61.5}};
    s.allTemperatures = {{"Package id 0", 61.5}};
    const json e = StatsJson::encode(s);

    EXPECT_EQ(e["cpuTotalUsage"], 23.4);
    EXPECT_EQ(e["eCoreAverage"], nullptr);  // no efficiency cores
    EXPECT_EQ(e["pCoreAverage"], 18.0);
    EXPECT_EQ(e["memoryTotal"], 16ULL << 30);
    EXPECT_EQ(e["memoryPressure"], 0.0);
    EXPECT_EQ(e["pCoreTemp"], 61.5);
    EXPECT_EQ(e["gpuTemp"], nullptr);
    EXPECT_EQ(e["totalPowerWatts"], 7.25);
    EXPECT_EQ(e["dramPowerWatts"], nullptr);
    EXPECT_EQ(e["thermalLevel"], "trapping");
    EXPECT_EQ(e["batteryIsPluggedIn"], false);
    EXPECT_EQ(e["batteryCycleCount"], 312);
    EXPECT_EQ(e["batteryHealthPercent"], 91.5);
    EXPECT_EQ(e["batteryMaxCapacityMAh"], nullptr);  // not reported
    EXPECT_EQ(e["pCoreUsages"][1], (json{{"coreIndex", 0}, {"isEfficiency", false}, {"usage", 0.0}}));
    EXPECT_EQ(e["topProcesses"][0], (json{{"pid", 4242}, {"name", "busy (worker)"}, {"cpuPercent", 99.5},
                                          {"memoryBytes", 1 << 20}, {"threadCount", 3}, {"energyImpact", 120.25}}));
    EXPECT_EQ(e["sortedTemperatures"][0], (json{{"key", "Package id 0"}, {"value", 61.5}}));
    EXPECT_EQ(e["allTemperatures"]["Package id 0"], 61.5);
}

TEST(StatsJson, FiguresThatAreNotNumbersAreNull) {
    SystemStats s = test::StatsBuilder().battery(50).cores(1, 1);
    s.cpuTotalUsage = std::nan("");
    s.batteryTimeRemaining = INFINITY;
    s.topProcesses = {{1, "p", NAN, 0, 1, 0}};
    const json e = StatsJson::encode(s);
    EXPECT_EQ(e["cpuTotalUsage"], nullptr);
    EXPECT_EQ(e["batteryTimeRemaining"], nullptr);
    EXPECT_EQ(e["topProcesses"][0]["cpuPercent"], nullptr);
    EXPECT_EQ(e["eCoreAverage"], 0.0);
}

}  // namespace
}  // namespace corvelle
