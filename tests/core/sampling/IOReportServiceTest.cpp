#include "sampling/IOReportService.h"

#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <deque>

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
    Fixture f;
    // No first sample at setup: the first call only stores its sample.
    auto service = f.make([](FakeEnergySource& s) { s.samples.push_back(std::nullopt); });
    ASSERT_TRUE(service.isSubscribed());
    f.clock->advance(2);
    EXPECT_FALSE(service.sample());
    f.clock->advance(2);
    EXPECT_EQ(service.sample(), (IOReportService::PowerSample{1.0, 0, 0, 0}));
    f.clock->advance(4);  // each sample covers the time since the previous one, and is compared with it
    EXPECT_EQ(service.sample(), (IOReportService::PowerSample{0.5, 0, 0, 0}));
    ASSERT_EQ(f.source->pairs.size(), 2u);
    EXPECT_EQ(f.source->pairs[0].second, f.source->pairs[1].first);

    f.source->samples.push_back(std::nullopt);  // a failed sample
    f.clock->advance(2);
    EXPECT_FALSE(service.sample());
    f.clock->advance(2);
    EXPECT_FALSE(service.sample());  // nothing to compare with
    f.clock->advance(2);
    EXPECT_TRUE(service.sample());

    f.source->delta = std::nullopt;  // a failed delta
    f.clock->advance(2);
    EXPECT_FALSE(service.sample());
    f.source->delta = channels({channel("CPU Energy", 2000)});
    f.clock->advance(4);
    EXPECT_EQ(service.sample(), (IOReportService::PowerSample{0.5, 0, 0, 0}));

    EXPECT_FALSE(service.sample());  // no time has passed
    f.clock->advance(-1);
    EXPECT_FALSE(service.sample());  // the clock went back
    f.clock->advance(2);
    EXPECT_EQ(service.sample(), (IOReportService::PowerSample{1.0, 0, 0, 0}));
}

}  // namespace
}  // namespace corvelle
