#include "linux/RaplEnergySource.h"

#include "sampling/IOReportService.h"
#include "support/FakeClock.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kCore = "sys/class/powercap/intel-rapl:0:0/energy_uj";
constexpr const char* kUncore = "sys/class/powercap/intel-rapl:0:1/energy_uj";
constexpr const char* kDram = "sys/class/powercap/intel-rapl:0:2/energy_uj";

TEST(RaplEnergySource, CountsCoreUncoreAndDramOverTheTick) {
    test::WritableFixture tree("rapl/readable");
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<RaplEnergySource>(tree.root()), clock);
    ASSERT_TRUE(service.isSubscribed());

    tree.write(kCore, "50020000000");    // +20 J
    tree.write(kUncore, "2001000000");   // +1 J
    tree.write(kDram, "3003000400");     // +3.0004 J
    clock->advance(2);
    const auto power = service.sample();
    ASSERT_TRUE(power);
    EXPECT_DOUBLE_EQ(power->cpuWatts, 10.0);
    EXPECT_DOUBLE_EQ(power->gpuWatts, 0.5);
    EXPECT_DOUBLE_EQ(power->dramWatts, 1.5);
    EXPECT_EQ(power->aneWatts, 0);
}

TEST(RaplEnergySource, CounterWrapsAtItsRange) {
    test::WritableFixture tree("rapl/wrapped");  // 328 850 µJ below the range
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<RaplEnergySource>(tree.root()), clock);
    tree.write(kCore, "671150");
    clock->advance(1);
    const auto power = service.sample();
    ASSERT_TRUE(power);
    EXPECT_DOUBLE_EQ(power->cpuWatts, 1.0);
}

TEST(RaplEnergySource, UsedEnergyAcrossTheRange) {
    const struct {
        std::uint64_t previous, current, range;
        std::optional<std::uint64_t> used;
    } cases[] = {
        {100, 300, 1000, 200}, {900, 100, 1000, 200}, {900, 100, 0, std::nullopt},
        {100, 5000, 1000, std::nullopt},  // beyond the range: garbage
        {5000, 100, 1000, std::nullopt}, {7, 7, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaplEnergySource::usedEnergy(c.previous, c.current, c.range), c.used)
            << c.previous << " " << c.current << " " << c.range;
    }
}

TEST(RaplEnergySource, UnreadableCountersGiveNoSubscription) {
    for (const char* tree : {"rapl/unreadable", "rapl/does-not-exist"}) {
        EXPECT_FALSE(RaplEnergySource(test::fixture(tree)).subscribe()) << tree;
    }
}

TEST(RaplEnergySource, ACounterThatStopsReadingDropsOnlyItsChannel) {
    test::WritableFixture tree("rapl/readable");
    RaplEnergySource source(tree.root());
    ASSERT_TRUE(source.subscribe());
    const auto before = source.createSample();
    tree.write(kUncore, "garbage");
    tree.write(kCore, "50001000000");
    const auto after = source.createSample();
    ASSERT_TRUE(before && after);
    const auto delta = source.createSamplesDelta(*before, *after);
    ASSERT_TRUE(delta);
    const auto* channels = arrayProperty(*delta, "IOReportChannels");
    ASSERT_TRUE(channels);
    ASSERT_EQ(channels->size(), 2u);
    EXPECT_EQ(*channels->front().as<PropertyDictionary>(),
              (PropertyDictionary{{"name", "CPU Energy"}, {"value", 1000}}));
    EXPECT_FALSE(source.createSamplesDelta(*before, PropertyDictionary{}));
}

}  // namespace
}  // namespace corvelle
