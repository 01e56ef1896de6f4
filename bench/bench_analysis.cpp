// Costs of the analysis engines at start-up and at each day change: the usage profile, the
// health prediction and the habit score over 7 to 90 busy daily records.
#include "analysis/BatteryHealthPredictor.h"
#include "analysis/UsageProfileEngine.h"

#include "support/SampleHistory.h"

#include <benchmark/benchmark.h>

namespace corvelle {
namespace {

constexpr double lastDay = 1751284800;  // 2025-06-30T12:00:00Z

std::vector<BatteryHealthEntry> healthReadings(const UsageHistory& history) {
    std::vector<BatteryHealthEntry> entries;
    std::int64_t cycles = 100;
    for (const auto& record : history.dailySnapshots) {
        entries.push_back({record.date, 95.0 - 0.01 * static_cast<double>(cycles), cycles, 4000, 4500, 55, 9});
        cycles += 2;
    }
    return entries;
}

void BM_AllThreeEngines(benchmark::State& state) {
    const auto history = test::busyHistory(lastDay, static_cast<int>(state.range(0)));
    const auto entries = healthReadings(history);
    const std::vector<DailySnapshot> week(history.dailySnapshots.end() - std::min<std::ptrdiff_t>(7, state.range(0)),
                                          history.dailySnapshots.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(UsageProfileEngine::classify(week, lastDay));
        benchmark::DoNotOptimize(BatteryHealthPredictor::predict(entries));
        benchmark::DoNotOptimize(BatteryHealthPredictor::scoreHabits(week));
    }
}
BENCHMARK(BM_AllThreeEngines)->Arg(7)->Arg(30)->Arg(90)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvelle
