#include "sampling/IOReportService.h"

#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace corvelle {
namespace {

PropertyDictionary channel(const char* name, std::int64_t millijoules) {
    return {{"name", name}, {"value", millijoules}};
}

PropertyDictionary channels(PropertyArray list) { return {{"IOReportChannels", std::move(list)}}; }

// Each sample is a number; the delta of two samples is whatever the test queued.
class FakeEnergySource : public EnergyReportSource {
public:
    bool subscribe() override { return subscribes; }
    std::optional<PropertyDictionary> createSample() override {
        if (samples.empty()) return PropertyDictionary{{"n", ++taken}};
        auto next = samples.front();
        samples.pop_front();
        return next;
    }
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override {
        pairs.emplace_back(previous, current);
        return delta;
    }
    std::string meterName() const override { return "sysfs"; }

    bool subscribes = true;
    std::int64_t taken = 0;
    std::deque<std::optional<PropertyDictionary>> samples;
    std::optional<PropertyDictionary> delta = channels({channel("CPU Energy", 2000)});
    std::vector<std::pair<PropertyDictionary, PropertyDictionary>> pairs;
};

TEST(IOReportParsing, ClassifiesChannelsByName) {
    using Sample = IOReportService::PowerSample;
    // The same channels as a flat dictionary, the fallback layout, give the same sample unless told.
    const struct { const char* name; PropertyArray list; Sample main; std::optional<Sample> fallback; } cases[] = {
        {"three domains", {channel("CPU Energy", 2000), channel("GPU Energy", 500), channel("DRAM", 300)}, {1.0, 0.25, 0, 0.15}, {}},
        {"neural engine", {channel("ANE", 1000)}, {0, 0, 0.5, 0}, {}},
        {"cluster names and memory",
         {channel("ECPU0", 200), channel("PCPU3", 200), channel("Memory Controller", 100), channel("Display", 900)}, {0.2, 0, 0, 0.05}, {}},
        {"cpu and gpu in one name", {channel("CPU-GPU link", 1000)}, {0.5, 0, 0, 0}, Sample{0, 0.5, 0, 0}},
        {"a meter of the whole package", {channel("SoC Energy", 3000), channel("DRAM", 200)}, {0, 0, 0, 0.1, 1.5}, {}},
        {"unusable elements", {PropertyValue(7), PropertyDictionary{{"value", 100}},
                               PropertyDictionary{{"name", 3}, {"value", 100}}, channel("GPU", 100)}, {0, 0.05, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IOReportService::parsePowerFromDelta(channels(c.list), 2.0), c.main) << c.name;
        PropertyDictionary flat;
        for (size_t i = 0; i < c.list.size(); ++i) flat.emplace("channel" + std::to_string(i), c.list[i]);
        EXPECT_EQ(IOReportService::parsePowerFromDelta(flat, 2.0), c.fallback.value_or(c.main)) << c.name;
    }
    EXPECT_EQ(IOReportService::parsePowerFromDelta({{"IOReportChannels", 5}}, 2.0), Sample{});
}

struct Fixture {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    FakeEnergySource* source = nullptr;

    IOReportService make(std::function<void(FakeEnergySource&)> setup = {}) {
        auto owned = std::make_unique<FakeEnergySource>();
        source = owned.get();
        if (setup) setup(*source);
        return IOReportService(std::move(owned), clock);
    }
};

TEST(IOReportService, AbsentWithoutSubscription) {
    Fixture f;
    auto service = f.make([](FakeEnergySource& s) { s.subscribes = false; });
    f.clock->advance(2);
    EXPECT_FALSE(service.isSubscribed());
    EXPECT_FALSE(service.sample());
    EXPECT_EQ(f.source->taken, 0);
    EXPECT_FALSE(IOReportService(nullptr, f.clock).sample());
}

TEST(IOReportService, FailuresSkipOneTickAndRestartTheWindow) {
    using Sample = IOReportService::PowerSample;
    using Change = std::function<void(FakeEnergySource&)>;
    const Change failSample = [](auto& s) { s.samples.push_back(std::nullopt); };
    Fixture f;
    auto service = f.make(failSample);  // no first sample at setup: the first call only stores its sample
    ASSERT_TRUE(service.isSubscribed());
    const struct { const char* what; Change change; double seconds; std::optional<Sample> power; } steps[] = {
        {"the first sample stored", {}, 2, std::nullopt}, {"2 J over 2 s", {}, 2, Sample{1.0, 0, 0, 0}},
        {"each sample covers the time since the previous one", {}, 4, Sample{0.5, 0, 0, 0}},
        {"a failed sample", failSample, 2, std::nullopt}, {"nothing to compare with", {}, 2, std::nullopt},
        {"measuring again", {}, 2, Sample{1.0, 0, 0, 0}},
        {"a failed delta", [](auto& s) { s.delta = std::nullopt; }, 2, std::nullopt},
        {"the window restarted", [](auto& s) { s.delta = channels({channel("CPU Energy", 2000)}); }, 4, Sample{0.5, 0, 0, 0}},
        {"no time has passed", {}, 0, std::nullopt}, {"the clock went back", {}, -1, std::nullopt},
        {"and forward again", {}, 2, Sample{1.0, 0, 0, 0}},
    };
    for (const auto& step : steps) {
        if (step.change) step.change(*f.source);
        f.clock->advance(step.seconds);
        EXPECT_EQ(service.sample(), step.power) << step.what;
    }
    // Each delta is taken against the sample before it.
    ASSERT_GE(f.source->pairs.size(), 2u);
    EXPECT_EQ(f.source->pairs[0].second, f.source->pairs[1].first);
}

}  // namespace
}  // namespace corvelle
