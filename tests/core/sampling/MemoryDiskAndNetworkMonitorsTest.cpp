#include "sampling/DiskMonitor.h"
#include "sampling/MemoryMonitor.h"
#include "sampling/NetworkMonitor.h"

#include "support/FakeClock.h"
#include "support/FakeSources.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(MemoryMonitor, FiguresFromPageCounts) {
    const struct {
        VmStats stats;
        std::uint64_t used, appUsed;
        double pressure;
    } cases[] = {
        // free 1000 pages of 4096 out of 16 MiB; app = internal - purgeable
        {{4096, 1000, 500, 100, 20, 10, 200}, 16777216 - 4096000, 180 * 4096, (180.0 + 100 + 10) * 4096 / 16777216 * 100},
        // purgeable pages outnumber internal pages: app memory floors at 0
        {{4096, 1000, 500, 0, 120, 0, 100}, 16777216 - 4096000, 0, 0},
        // more free than total: used floors at 0; pressure caps at 100
        {{4096, 5000, 0, 5000, 0, 0, 0}, 0, 0, 100},
    };
    for (const auto& c : cases) {
        auto source = std::make_unique<test::FakeVmStats>();
        source->total = 16777216;
        source->script.push(c.stats);
        MemoryMonitor memory(std::move(source));
        auto s = memory.sample();
        ASSERT_TRUE(s);
        EXPECT_EQ(s->total, 16777216u);
        EXPECT_EQ(s->used, c.used);
        EXPECT_EQ(s->appUsed, c.appUsed);
        EXPECT_NEAR(s->pressure, c.pressure, 1e-9);
    }
}

TEST(MemoryMonitor, NoReadingWithoutStatisticsOrTotalOrWhenBytesOverflow) {
    auto failing = std::make_unique<test::FakeVmStats>();
    failing->total = 1 << 20;
    failing->script.push(std::nullopt);
    EXPECT_FALSE(MemoryMonitor(std::move(failing)).sample());

    auto noTotal = std::make_unique<test::FakeVmStats>();
    noTotal->script.push(VmStats{});
    EXPECT_FALSE(MemoryMonitor(std::move(noTotal)).sample());

    auto huge = std::make_unique<test::FakeVmStats>();
    huge->total = 1 << 20;
    huge->script.push(VmStats{4096, UINT64_MAX / 2, 0, 0, 0, 0, 0});
    EXPECT_FALSE(MemoryMonitor(std::move(huge)).sample());
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
    EXPECT_EQ(s->readBytesPerSec, 1'000'000u);
    EXPECT_EQ(s->writeBytesPerSec, 0u);  // went backwards
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
    EXPECT_EQ(s->inBytesPerSec, 2000u);  // over both seconds since the last good reading
}

}  // namespace
}  // namespace corvelle
