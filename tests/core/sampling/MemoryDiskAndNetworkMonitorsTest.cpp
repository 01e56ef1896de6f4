#include "sampling/DiskMonitor.h"
#include "sampling/MemoryMonitor.h"
#include "sampling/NetworkMonitor.h"

#include "support/FakeClock.h"
#include "support/FakeSources.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// One reading of a machine with `total` bytes of memory.
std::optional<MemoryMonitor::Snapshot> memoryOf(std::uint64_t total, std::optional<VmStats> reading) {
    auto source = std::make_unique<test::FakeVmStats>();
    source->total = total;
    source->script.push(reading);
    return MemoryMonitor(std::move(source)).sample();
}

TEST(MemoryMonitor, FiguresFromPageCountsAndNoneWithoutAUsableReading) {
    const struct { VmStats stats; std::uint64_t used, appUsed; double pressure; } cases[] = {
        // free 1000 pages of 4096 out of 16 MiB; app = internal - purgeable
        {{4096, 1000, 500, 100, 20, 10, 200}, 16777216 - 4096000, 180 * 4096, (180.0 + 100 + 10) * 4096 / 16777216 * 100},
        // purgeable pages outnumber internal pages: app memory floors at 0
        {{4096, 1000, 500, 0, 120, 0, 100}, 16777216 - 4096000, 0, 0},
        // more free than total: used floors at 0; pressure caps at 100
        {{4096, 5000, 0, 5000, 0, 0, 0}, 0, 0, 100},
    };
    for (const auto& c : cases) {
        const auto s = memoryOf(16777216, c.stats);
        ASSERT_TRUE(s);
        EXPECT_EQ(std::tie(s->memoryTotal, s->memoryUsed, s->memoryAppUsed), std::make_tuple(16777216ULL, c.used, c.appUsed));
        EXPECT_NEAR(s->memoryPressure, c.pressure, 1e-9);
    }
    // No reading without statistics or a total, or when the bytes overflow.
    EXPECT_FALSE(memoryOf(1 << 20, std::nullopt));
    EXPECT_FALSE(memoryOf(0, VmStats{}));
    EXPECT_FALSE(memoryOf(1 << 20, VmStats{4096, UINT64_MAX / 2, 0, 0, 0, 0, 0}));
}

TEST(RateMonitors, RatesTruncateAndNeedElapsedTime) {
    auto clock = std::make_shared<test::FakeClock>();
    auto source = std::make_unique<test::FakeBlockStats>();
    auto* blocks = source.get();
    DiskMonitor disk(std::move(source), clock);

    blocks->script.push(BlockTotals{1'000'000, 10});
    EXPECT_FALSE(disk.sample());  // the first call only records the counters
    blocks->script.push(BlockTotals{3'000'001, 5});
    clock->advance(2.0);
    auto s = disk.sample();
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tie(s->diskReadBytesPerSec, s->diskWriteBytesPerSec), std::make_tuple(1'000'000ULL, 0ULL));  // writes went back
    EXPECT_FALSE(disk.sample());         // no time passed
}

TEST(RateMonitors, AnUnreadableCounterKeepsTheBaselineInsteadOfMeasuringFromZero) {
    auto clock = std::make_shared<test::FakeClock>();
    auto source = std::make_unique<test::FakeNetStats>();
    auto* net = source.get();
    NetworkMonitor network(std::move(source), clock);
    net->script.push(NetTotals{1'000'000'000, 0});
    network.sample();
    net->script.push(std::nullopt);
    clock->advance(1);
    EXPECT_FALSE(network.sample());
    net->script.push(NetTotals{1'000'004'000, 0});
    clock->advance(1);
    auto s = network.sample();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->networkInBytesPerSec, 2000u);  // over both seconds since the last good reading
}

}  // namespace
}  // namespace corvelle
