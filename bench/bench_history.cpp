// Costs of the usage history: loading and saving 90 days of busy records, one fold, one
// collector tick against a full store.
#include "history/UsageCollector.h"
#include "history/UsageStore.h"
#include "linux/SystemClock.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include "support/SampleHistory.h"

#include "IdleLoop.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace corvelle {
namespace {

struct Folder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("corvelle-bench-" + std::to_string(std::random_device{}()));
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

struct NinetyDays {
    Folder folder;
    std::shared_ptr<SystemClock> clock = std::make_shared<SystemClock>();
    UsageStore store{folder.path, clock, std::make_shared<IdleLoop>()};
    NinetyDays() {
        const auto history = test::busyHistory(clock->now(), 90);
        AtomicFile::write(store.dailySummariesURL(), *JsonFields::encodeJson(history));
        store.load();
    }
};

void BM_LoadNinetyDays(benchmark::State& state) {
    NinetyDays days;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(days.store.dailySummariesURL()));
    for (auto _ : state) {
        days.store.load();
        benchmark::DoNotOptimize(days.store.history());
    }
}
BENCHMARK(BM_LoadNinetyDays)->Unit(benchmark::kMillisecond);

void BM_SaveNinetyDays(benchmark::State& state) {
    NinetyDays days;
    for (auto _ : state) days.store.performSave();
}
BENCHMARK(BM_SaveNinetyDays)->Unit(benchmark::kMillisecond);

void BM_FoldOneSample(benchmark::State& state) {
    auto record = DailySnapshot::empty("2025-06-30", SystemClock().now());
    const auto stats = test::busyStats(7, 30);
    for (auto _ : state) {
        record.fold(stats, 2, 1751292309);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_FoldOneSample)->Unit(benchmark::kMicrosecond);

void BM_CollectorTick(benchmark::State& state) {
    NinetyDays days;
    UsageCollector collector(days.store);
    const auto stats = test::busyStats(7, 30);
    for (auto _ : state) collector.record(stats, 2);
}
BENCHMARK(BM_CollectorTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvelle
