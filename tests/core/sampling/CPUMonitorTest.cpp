#include "sampling/CPUMonitor.h"

#include "support/FakeSources.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::FakeCpuTicks;
using Ticks = std::vector<CpuTicks>;

struct CpuFixture : ::testing::Test {
    CPUMonitor make(std::vector<std::optional<Ticks>> readings, std::vector<int> efficiency = {}) {
        auto source = std::make_unique<FakeCpuTicks>();
        for (auto& r : readings) source->script.push(r);
        source->efficiency = std::move(efficiency);
        return CPUMonitor(std::move(source));
    }
};

TEST_F(CpuFixture, NiceTimeIsBusyForTheCoreButLeftOutOfTheTotals) {
    const struct { std::uint64_t nice; double core, total; } cases[] = {{0, 40, 40}, {10, 50.0 / 110 * 100, 40}};
    for (const auto& c : cases) {
        auto cpu = make({Ticks{{0, 100, 100, 100, 100}}, Ticks{{0, 130, 110, 160, 100 + c.nice}}});
        const auto first = cpu.sample().value();
        EXPECT_EQ(std::make_tuple(first.cpuTotalUsage, first.coreUsages.size()), std::make_tuple(0.0, size_t{1}));
        const auto second = cpu.sample().value();
        for (auto [measured, expected] : {std::pair{second.coreUsages[0].usage, c.core}, {second.cpuTotalUsage, c.total},
                                          {second.cpuUserUsage, 30.0}, {second.cpuSystemUsage, 10.0}}) {
            EXPECT_NEAR(measured, expected, 1e-9);
        }
    }
}

TEST_F(CpuFixture, IdleCoreBackwardsCountersAndNoMovementGiveZeroNotNaN) {
    auto cpu = make({Ticks{{0, 10, 10, 10, 0}, {1, 500, 500, 500, 0}},
                     Ticks{{0, 10, 10, 10, 0}, {1, 400, 400, 400, 0}}});
    cpu.sample();
    const auto s = cpu.sample().value();
    EXPECT_EQ(std::make_tuple(s.coreUsages[0].usage, s.coreUsages[1].usage, s.cpuTotalUsage), std::make_tuple(0.0, 0.0, 0.0));
}

TEST_F(CpuFixture, EfficiencyCoresAreExactlyTheReportedOnes) {
    std::vector<CpuTicks> ticks;
    for (int i = 0; i < 10; ++i) ticks.push_back(CpuTicks{i, 0, 0, 0, 0});
    auto busy = ticks;
    for (auto& t : busy) {
        t.user = t.cpu < 8 ? 50 : 100;
        t.idle = t.cpu < 8 ? 50 : 0;
    }
    auto cpu = make({ticks, busy}, {8, 9});
    cpu.sample();
    const auto s = cpu.sample().value();
    ASSERT_EQ(s.eCoreUsages.size(), 2u);
    EXPECT_EQ(std::make_tuple(s.eCoreUsages[0].coreIndex, s.pCoreUsages.size(), s.eCoreAverage, s.pCoreAverage),
              std::make_tuple(8, size_t{8}, 100.0, 50.0));

    auto plain = make({ticks, busy});  // no hybrid topology: every core is a performance core
    plain.sample();
    const auto p = plain.sample().value();
    EXPECT_EQ(std::make_tuple(p.eCoreUsages.size(), p.eCoreAverage, p.pCoreUsages.size()),
              std::make_tuple(size_t{0}, 0.0, size_t{10}));
}

TEST_F(CpuFixture, AChangedSetOfCpusRestartsFromZeroAndAFailedReadKeepsTheBaseline) {
    auto cpu = make({Ticks{{0, 0, 0, 0, 0}}, std::nullopt, Ticks{{0, 50, 0, 50, 0}},
                     Ticks{{0, 60, 0, 60, 0}, {1, 0, 0, 0, 0}}, Ticks{{0, 60, 0, 60, 0}, {2, 0, 0, 0, 0}}});
    cpu.sample();
    EXPECT_FALSE(cpu.sample());
    EXPECT_EQ(cpu.sample()->cpuTotalUsage, 50.0);  // measured against the reading before the failure
    EXPECT_EQ(cpu.sample()->cpuTotalUsage, 0);     // a CPU came online
    EXPECT_EQ(cpu.sample()->cpuTotalUsage, 0);     // same count, different CPUs

    CPUMonitor none(nullptr);
    EXPECT_FALSE(none.sample());
}

}  // namespace
}  // namespace corvelle
