#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

class FakeLoginItem : public LoginItem {
public:
    bool enabled = false, failRegistration = false;
    int requests = 0;
    bool isEnabled() const override { return enabled; }
    bool registerItem() override { ++requests; return enabled = !failRegistration; }
    bool unregisterItem() override { ++requests; enabled = false; return true; }
};

Bytes bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct SettingsFixture : ::testing::Test {
    std::shared_ptr<MemoryKeyValueStore> store = std::make_shared<MemoryKeyValueStore>();
};

TEST_F(SettingsFixture, WritesStoreUnderTheirKeysAndSignal) {
    AppSettings settings(store, nullptr);
    int signals = 0;
    auto subscription = settings.changed.subscribe([&] { ++signals; });
    EXPECT_FALSE(store->read("io.mirelo.corvelle.pollingInterval"));  // defaults are never written back
    settings.setPollingInterval(5);
    settings.setLanguageRaw("es");
    settings.setMaxProcesses(25);
    EXPECT_EQ(store->readDouble("io.mirelo.corvelle.pollingInterval"), 5.0);
    EXPECT_EQ(store->readString("io.mirelo.corvelle.language"), "es");
    EXPECT_EQ(signals, 3);
}

TEST_F(SettingsFixture, AValueOfTheWrongTypeReadsAsTheDefault) {
    store->write("io.mirelo.corvelle.pollingInterval", std::string("fast"));
    store->write("io.mirelo.corvelle.menuBarShowCPU", std::int64_t{0});
    store->write("io.mirelo.corvelle.language", true);
    AppSettings settings(store, nullptr);
    EXPECT_EQ(std::make_tuple(settings.pollingInterval(), settings.menuBarShowCPU(), settings.languageRaw()),
              std::make_tuple(2.0, true, std::string()));
}

TEST_F(SettingsFixture, PinnedWidgets) {
    AppSettings settings(store, nullptr);
    int signals = 0;
    auto subscription = settings.changed.subscribe([&] { ++signals; });
    settings.savePinnedWidgets({PinnedWidget::cpu, PinnedWidget::power, PinnedWidget::memory, PinnedWidget::battery,
                                PinnedWidget::temperature});
    EXPECT_EQ(signals, 1);
    EXPECT_EQ(store->readBytes(AppSettings::pinnedWidgetsKey), bytes(R"(["cpu","power","memory"])"));

    const struct { const char* stored; std::vector<PinnedWidget> expected; } cases[] = {
        {R"(["battery","cpu","temperature","power","memory"])",
         {PinnedWidget::battery, PinnedWidget::cpu, PinnedWidget::temperature, PinnedWidget::power, PinnedWidget::memory}},
        {R"(["cpu","cpu"])", {PinnedWidget::cpu, PinnedWidget::cpu}},
        {"[]", {PinnedWidget::battery}}, {R"(["cpu","clock"])", {PinnedWidget::battery}},
        {"not json", {PinnedWidget::battery}}, {R"({"a":1})", {PinnedWidget::battery}},
    };
    for (const auto& c : cases) {
        store->write(AppSettings::pinnedWidgetsKey, bytes(c.stored));
        EXPECT_EQ(settings.loadPinnedWidgets(), c.expected) << c.stored;
    }
    store->write(AppSettings::pinnedWidgetsKey, std::string(R"(["cpu"])"));  // a string, not data
    EXPECT_EQ(settings.loadPinnedWidgets(), std::vector<PinnedWidget>{PinnedWidget::battery});
}

TEST_F(SettingsFixture, SectionOrdersAppendMissingCasesAndKeepDuplicates) {
    AppSettings settings(store, nullptr);
    store->write(AppSettings::overviewSectionOrderKey, bytes(R"(["thermal","cpu"])"));
    using O = OverviewSection;
    EXPECT_EQ(settings.loadOrder<O>(AppSettings::overviewSectionOrderKey),
              (std::vector<O>{O::thermal, O::cpu, O::habitScore, O::cpuHistory, O::systemGauges, O::graphics, O::profile,
                              O::healthTrend, O::prediction, O::usagePatterns}));
    // An order stored before the battery care card existed shows the card last.
    store->write(AppSettings::batterySectionOrderKey, bytes(R"(["health","health","topEnergyUsers"])"));
    using B = BatterySection;
    EXPECT_EQ(settings.loadOrder<B>(AppSettings::batterySectionOrderKey),
              (std::vector<B>{B::health, B::health, B::topEnergyUsers, B::batteryStatus, B::usageComparison,
                              B::batteryCare}));

    int signals = 0;
    auto subscription = settings.changed.subscribe([&] { ++signals; });
    settings.saveOrder(std::vector<HistorySection>{HistorySection::resources}, AppSettings::historySectionOrderKey);
    EXPECT_EQ(signals, 0);
    EXPECT_EQ(settings.loadOrder<HistorySection>(AppSettings::historySectionOrderKey).front(),
              HistorySection::resources);
}

// The system's login registration wins at start-up, and one that fails turns the preference back off.
TEST_F(SettingsFixture, TheSystemsLoginRegistrationWinsAtStartUpAndAFailedOneTurnsThePreferenceOff) {
    auto login = std::make_shared<FakeLoginItem>();
    login->enabled = true;
    AppSettings settings(store, login);
    EXPECT_TRUE(settings.launchAtLogin());
    EXPECT_EQ(store->readBool("io.mirelo.corvelle.launchAtLogin"), true);

    auto agreeing = std::make_shared<FakeLoginItem>();
    auto otherStore = std::make_shared<MemoryKeyValueStore>();
    AppSettings quiet(otherStore, agreeing);
    EXPECT_EQ(agreeing->requests, 0);
    EXPECT_FALSE(otherStore->read("io.mirelo.corvelle.launchAtLogin"));

    agreeing->failRegistration = true;
    quiet.setLaunchAtLogin(true);
    EXPECT_FALSE(quiet.launchAtLogin());
    EXPECT_EQ(agreeing->requests, 2);  // the failed register, then the agreeing unregister
    agreeing->failRegistration = false;
    quiet.setLaunchAtLogin(true);
    EXPECT_TRUE(quiet.launchAtLogin() && agreeing->enabled);
}

}  // namespace
}  // namespace corvelle
