// Cost of producing the tips and the facts for the tips tab from a busy snapshot, the way the
// tab does each time it is drawn.
#include "analysis/BatteryTipsEngine.h"
#include "analysis/DidYouKnowEngine.h"

#include <benchmark/benchmark.h>

using namespace corvelle;

namespace {

// On battery, hot, loaded, with fifteen processes and twelve applications: most rules fire.
SystemStats busySnapshot() {
    SystemStats s;
    s.batteryPercentage = 35;
    s.batteryWatts = 24;
    s.batteryTimeRemaining = 3000;
    s.batteryCycleCount = 420;
    s.batteryHealthPercent = 91;
    s.batteryDesignCapacityMAh = 5000;
    s.batteryMaxCapacityMAh = 4550;
    s.systemBaselineWatts = 9;
    s.thermalLevel = ThermalLevel::heavy;
    s.cpuTotalUsage = 55;
    s.pCoreAverage = 48;
    s.eCoreUsages.resize(4);
    s.pCoreUsages.resize(8);
    s.coreUsages.resize(12);
    s.totalPowerWatts = 24;
    s.gpuPowerWatts = 5;
    s.pCoreTemp = 82;
    s.fanSpeeds = {3400, 3550};
    s.memoryPressure = 68;
    s.memoryUsed = 13ull << 30;
    s.memoryTotal = 16ull << 30;
    s.diskReadBytesPerSec = 150000000;
    s.networkInBytesPerSec = 9000000;
    for (int i = 0; i < 15; ++i) {
        s.topProcesses.push_back({1000 + i, "proc" + std::to_string(i), 60.0 - 4 * i, 300ull << 20, 8, 0});
    }
    for (int i = 0; i < 12; ++i) s.appGroups.push_back({"App" + std::to_string(i), 45.0 - 3 * i, (200ull + 90 * i) << 20, 2, 0});
    s.processComparisons = {{"proc0", 60, 12, 5}, {"proc1", 56, 30, 1.9}};
    return s;
}

struct Analysis {
    ProfileClassification profile;
    BatteryHealthPrediction prediction;
    HabitScore habitScore;
    Analysis() {
        profile.primary = UsageProfile::powerUser;
        prediction.degradationRate = DegradationRate::accelerated;
        prediction.healthDropPerCycle = 0.031;
        prediction.estimatedMonthsTo80 = 18;
        prediction.confidenceLevel = ConfidenceLevel::moderate;
        prediction.habitWarnings = {{"hot-battery", "flame.fill", "Running hot", "Hot.", HabitSeverity::critical},
                                    {"heavy-discharge", "bolt.fill", "Heavy discharge rate", "Heavy.", HabitSeverity::info}};
        habitScore.overall = 84;
        habitScore.grade = "B";
    }
};

void BM_BatteryTips(benchmark::State& state) {
    const SystemStats stats = busySnapshot();
    const Analysis analysis;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            BatteryTipsEngine::generate(stats, analysis.profile, analysis.prediction, analysis.habitScore));
    }
}

void BM_DidYouKnow(benchmark::State& state) {
    const SystemStats stats = busySnapshot();
    const Analysis analysis;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DidYouKnowEngine::generate(stats, analysis.profile, analysis.prediction, analysis.habitScore, 3));
    }
}

}  // namespace

BENCHMARK(BM_BatteryTips);
BENCHMARK(BM_DidYouKnow);
