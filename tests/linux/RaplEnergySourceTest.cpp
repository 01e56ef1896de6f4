#include "linux/power/RaplEnergySource.h"

#include "sampling/IOReportService.h"
#include "support/FakeClock.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kCore = "sys/class/powercap/intel-rapl:0:0/energy_uj";
constexpr const char* kUncore = "sys/class/powercap/intel-rapl:0:1/energy_uj";
constexpr const char* kDram = "sys/class/powercap/intel-rapl:0:2/energy_uj";

using Counters = std::vector<std::pair<const char*, const char*>>;

// The power over `seconds` after the counters of the recorded tree moved to the given values.
std::optional<IOReportService::PowerSample> powerAfter(const char* recorded, const Counters& counters, double seconds) {
    test::WritableFixture tree(recorded);
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<RaplEnergySource>(tree.root()), clock);
    EXPECT_TRUE(service.isSubscribed());
    for (const auto& [file, value] : counters) tree.write(file, value);
    clock->advance(seconds);
    return service.sample();
}

TEST(RaplEnergySource, CountsCoreUncoreAndDramOverTheTick) {
    // +20 J, +1 J and +3.0004 J (whole millijoules); the package's counter did not move.
    EXPECT_EQ(powerAfter("rapl/readable", {{kCore, "50020000000"}, {kUncore, "2001000000"}, {kDram, "3003000400"}}, 2),
              (IOReportService::PowerSample{10.0, 0.5, 0, 1.5, 0}));
    // The wrapped tree's counter is 328 850 µJ below its range.
    EXPECT_DOUBLE_EQ(powerAfter("rapl/wrapped", {{kCore, "671150"}}, 1).value().cpuWatts, 1.0);
}

TEST(RaplEnergySource, UsedEnergyAcrossTheRange) {
    // Previous and current counter, the range, and the energy used.
    const std::tuple<std::uint64_t, std::uint64_t, std::uint64_t, std::optional<std::uint64_t>> cases[] = {
        {100, 300, 1000, 200}, {900, 100, 1000, 200}, {900, 100, 0, std::nullopt},
        {100, 5000, 1000, std::nullopt},  // beyond the range: garbage
        {5000, 100, 1000, std::nullopt}, {7, 7, 0, 0},
    };
    for (const auto& [previous, current, range, used] : cases) {
        EXPECT_EQ(RaplEnergySource::usedEnergy(previous, current, range), used)
            << previous << " " << current << " " << range;
    }
}

// Counters that cannot be read (a folder in place of energy_uj) are among the hostile tree's cases.
TEST(RaplEnergySource, ACounterThatStopsReadingDropsOnlyItsChannelAndNoCountersNoSubscription) {
    EXPECT_FALSE(RaplEnergySource(test::fixture("rapl/does-not-exist")).subscribe());
    test::WritableFixture tree("rapl/readable");
    RaplEnergySource source(tree.root());
    ASSERT_TRUE(source.subscribe());
    const auto before = source.createSample();
    EXPECT_EQ(source.meterName(), "sysfs") << "counters this user may read";
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
    // No channel left to compare is no reading, not 0 W.
    for (const char* file : {kCore, kUncore, kDram}) tree.write(file, "garbage");
    const auto broken = source.createSample();
    EXPECT_FALSE(broken) << "no counter read";
    EXPECT_EQ(source.meterName(), "locked");
}

}  // namespace
}  // namespace corvelle
