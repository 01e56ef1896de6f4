#include "sampling/ThermalMonitor.h"

#include "support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// A thermal source whose state the test sets; a notification is a call of the stored handler.
class FakeThermalSource : public ThermalSource {
public:
    SystemThermalState thermalState() override { return coarse; }
    int registerPressureWatch(EventLoop&, std::function<void()> onChange) override {
        if (!canRegister) return 0;
        notify = std::move(onChange);
        return ++registrations;
    }
    std::optional<std::uint64_t> pressureState(int token) override {
        if (token != registrations || !readable) return std::nullopt;
        return pressure;
    }
    void cancelPressureWatch(int token) override { cancelled.push_back(token); }

    SystemThermalState coarse = SystemThermalState::nominal;
    bool canRegister = true;
    bool readable = true;
    std::uint64_t pressure = 0;
    int registrations = 0;
    std::vector<int> cancelled;
    std::function<void()> notify;
};

struct Fixture {
    test::FakeClock clock;
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(clock);
    FakeThermalSource* source = nullptr;
    std::unique_ptr<ThermalMonitor> monitor;
    std::vector<ThermalLevel> seen;

    Fixture() {
        auto owned = std::make_unique<FakeThermalSource>();
        source = owned.get();
        monitor = std::make_unique<ThermalMonitor>(std::move(owned), loop);
    }
    void start() {
        monitor->start([this](ThermalLevel level) { seen.push_back(level); });
    }
};

TEST(ThermalMonitor, ReportsTheLevelAtOnceAndOnEveryNotification) {
    Fixture f;
    f.source->pressure = 70;
    f.start();
    EXPECT_TRUE(f.monitor->isRegistered());
    EXPECT_EQ(f.monitor->currentState(), ThermalLevel::trapping);

    const struct {
        std::uint64_t state;
        ThermalLevel level;
    } states[] = {{10, ThermalLevel::nominal},    {33, ThermalLevel::moderate}, {50, ThermalLevel::heavy},
                  {90, ThermalLevel::sleeping},   {90, ThermalLevel::sleeping}, {0, ThermalLevel::nominal},
                  {1ull << 40, ThermalLevel::nominal}};
    std::vector<ThermalLevel> expected{ThermalLevel::trapping};
    for (const auto& s : states) {
        f.source->pressure = s.state;
        f.source->notify();
        expected.push_back(s.level);
    }
    EXPECT_EQ(f.seen, expected);  // also when the level did not change
}

TEST(ThermalMonitor, UnreadableStateChangesNothing) {
    Fixture f;
    f.source->pressure = 50;
    f.source->readable = false;
    f.start();
    EXPECT_TRUE(f.seen.empty());
    EXPECT_EQ(f.monitor->currentState(), ThermalLevel::nominal);
}

TEST(ThermalMonitor, FailedRegistrationKeepsTheLevelAndNeverCalls) {
    Fixture f;
    f.source->canRegister = false;
    f.source->pressure = 70;
    f.start();
    EXPECT_FALSE(f.monitor->isRegistered());
    EXPECT_TRUE(f.seen.empty());
    EXPECT_EQ(f.monitor->currentState(), ThermalLevel::nominal);
    f.monitor->stop();
    EXPECT_TRUE(f.source->cancelled.empty());

    ThermalMonitor none(nullptr, f.loop);
    none.start([](ThermalLevel) { FAIL(); });
    EXPECT_FALSE(none.isRegistered());
    EXPECT_EQ(none.systemLevel(), ThermalLevel::nominal);
}

TEST(ThermalMonitor, RestartAndStopCancelTheRegistration) {
    Fixture f;
    f.start();
    f.start();
    EXPECT_EQ(f.source->cancelled, (std::vector<int>{1}));
    f.monitor->stop();
    EXPECT_EQ(f.source->cancelled, (std::vector<int>{1, 2}));
    EXPECT_FALSE(f.monitor->isRegistered());
    f.monitor->stop();
    EXPECT_EQ(f.source->cancelled.size(), 2u);
}

}  // namespace
}  // namespace corvelle
