#include "linux/power/ApuPowerMeter.h"
#include "linux/power/PowerMeterChoice.h"
#include "linux/power/PowerServiceCopy.h"
#include "sampling/IOReportService.h"

#include "support/FakeClock.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Sample = IOReportService::PowerSample;
constexpr const char* kT14sDevice = "sys/devices/pci0000:00/0000:00:08.1/0000:33:00.0/";

// The package power a meter reads, through the same service as the monitor's.
std::optional<double> packageWatts(std::unique_ptr<EnergyReportSource> source) {
    IOReportService service(std::move(source), std::make_shared<test::FakeClock>());
    const auto power = service.sample();
    return power ? std::optional(power->socWatts) : std::nullopt;
}

// Recorded layouts of real machines (tests/fixtures/apu/README.md), as they are and in the states
// their meters can be found in: a file written below the tree, or removed (no text).
TEST(ApuPowerMeter, TheIntegratedGpusPackagePowerOnRealLayouts) {
    using Change = std::pair<std::string, std::optional<std::string>>;
    const std::tuple<const char*, std::optional<Change>, std::optional<double>> cases[] = {
        {"thinkpad-t14s-gen3", {}, 17.08},
        {"legion-5-15ach6h", {}, 21.0},
        {"ideapad-1-14amn7", {}, 7.24},     // an instantaneous input only
        {"steam-deck", {}, 4.09},           // the slow limit's average, not its instant
        {"ryzen-7000-radeon", {}, 39.18},   // the APU's, not the Radeon card's
        {"ryzen-5700g", {}, std::nullopt},  // an unlabelled input
        {"ideapad-1-14amn7", Change{"sys/class/hwmon/hwmon2/power1_input", "0"}, std::nullopt},
        {"thinkpad-t14s-gen3", Change{"sys/class/hwmon/hwmon4/power1_average", "7240"}, std::nullopt},  // 7 mW: another unit
        {"steam-deck", Change{"sys/class/hwmon/hwmon4/power1_average", std::nullopt}, 5.03},
        {"thinkpad-t14s-gen3", Change{std::string(kT14sDevice) + "power/runtime_status", "suspended"}, std::nullopt},
    };
    for (const auto& [machine, change, watts] : cases) {
        test::WritableFixture tree(std::string("apu/") + machine);
        if (change && change->second) tree.write(change->first, *change->second);
        if (change && !change->second) tree.remove(change->first);
        EXPECT_EQ(packageWatts(std::make_unique<ApuPowerMeter>(tree.root())), watts)
            << machine << " " << (change ? change->first : "");
    }
}

TEST(ApuPowerMeter, AnAsleepMeterGivesNoReadingUntilItWakes) {
    test::WritableFixture tree("apu/thinkpad-t14s-gen3");
    ApuPowerMeter meter(tree.root());
    ASSERT_TRUE(meter.subscribe());
    for (const auto& [state, milliwatts] : {std::pair<const char*, std::optional<std::int64_t>>{"suspended", std::nullopt},
                                            {"active", 17080}, {"suspending", std::nullopt}}) {
        tree.write(std::string(kT14sDevice) + "power/runtime_status", state);
        const auto sample = meter.createSample();
        EXPECT_EQ(sample ? integerProperty(*sample, "milliwatts") : std::nullopt, milliwatts) << state;
    }
}

// An AMD laptop whose RAPL counters only root may read: the APU's meter until the power service
// publishes, then the service's copy; a sample of one meter is never compared with the other's.
TEST(PowerMeterChoice, TheCountersWhenTheyCanBeReadElseTheApusMeter) {
    test::WritableFixture tree("apu/thinkpad-t14s-gen3");
    for (const auto& [zone, name] : {std::pair{"intel-rapl:0", "package-0"}, {"intel-rapl:0:0", "core"}}) {
        tree.write(std::string("sys/class/powercap/") + zone + "/name", name);
        tree.write(std::string("sys/class/powercap/") + zone + "/energy_uj/unreadable", "");
    }
    const auto publish = [&](double time, std::uint64_t core) {
        tree.write(std::string(PowerServiceCopy::kFile),
                   PowerServiceCopy::compose(time, {{"intel-rapl:0:0", "core", core, 1u << 31}}));
    };
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<PowerMeterChoice>(tree.root()), clock);
    const std::tuple<const char*, std::function<void()>, std::optional<Sample>, const char*> steps[] = {
        {"the APU's meter", [] {}, Sample{0, 0, 0, 0, 17.08}, "apu"},
        {"the service starts: no comparing across meters", [&] { publish(10, 1000000); }, std::nullopt, "service"},
        {"the service's copy", [&] { publish(12, 9000000); }, Sample{4, 0, 0, 0, 0}, "service"},
        {"the service stops: back to the APU's meter", [&] { tree.remove(std::string(PowerServiceCopy::kFile)); },
         std::nullopt, "apu"},
    };
    for (const auto& [what, change, power, meter] : steps) {
        change();
        clock->advance(2);
        EXPECT_EQ(service.sample(), power) << what;
        EXPECT_EQ(service.meterName(), meter) << what;
    }
    // Counters alone: locked until the service runs; neither counters nor an APU: no meter at all.
    tree.remove("sys/class/hwmon");
    PowerMeterChoice locked(tree.root());
    EXPECT_TRUE(locked.subscribe() && !locked.createSample() && locked.meterName() == "locked");
    tree.remove("sys/class/powercap");
    EXPECT_FALSE(PowerMeterChoice(tree.root()).subscribe());
}

}  // namespace
}  // namespace corvelle
