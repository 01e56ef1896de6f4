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
        return token == registrations && readable ? std::optional(pressure) : std::nullopt;
    }
    void cancelPressureWatch(int token) override { cancelled.push_back(token); }

    SystemThermalState coarse = SystemThermalState::nominal;
    bool canRegister = true, readable = true;
    std::uint64_t pressure = 0;
    int registrations = 0;
    std::vector<int> cancelled;
    std::function<void()> notify;
};

struct Fixture {
    test::FakeClock clock;
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(clock);
    FakeThermalSource* source = new FakeThermalSource;
    std::unique_ptr<ThermalMonitor> monitor =
        std::make_unique<ThermalMonitor>(std::unique_ptr<ThermalSource>(source), loop);
    std::vector<ThermalLevel> seen;

    void start() { monitor->start([this](ThermalLevel level) { seen.push_back(level); }); }
};

TEST(ThermalMonitor, ReportsTheLevelAtOnceAndOnEveryNotificationUntilStopped) {
    Fixture f;
    f.source->pressure = 70;
    f.start();
    EXPECT_TRUE(f.monitor->isRegistered());
    EXPECT_EQ(f.monitor->currentState(), ThermalLevel::trapping);

    const struct { std::uint64_t state; ThermalLevel level; } states[] = {{10, ThermalLevel::nominal},    {33, ThermalLevel::moderate}, {50, ThermalLevel::heavy},
                  {90, ThermalLevel::sleeping},   {90, ThermalLevel::sleeping}, {0, ThermalLevel::nominal},
                  {1ull << 40, ThermalLevel::nominal}};
    std::vector<ThermalLevel> expected{ThermalLevel::trapping};
    for (const auto& s : states) {
        f.source->pressure = s.state;
        f.source->notify();
        expected.push_back(s.level);
    }
    EXPECT_EQ(f.seen, expected);  // also when the level did not change

    // Starting again replaces the registration; stopping cancels it, once.
    f.start();
    EXPECT_EQ(f.source->cancelled, (std::vector<int>{1}));
    f.monitor->stop();
    f.monitor->stop();
    EXPECT_EQ(f.source->cancelled, (std::vector<int>{1, 2}));
    EXPECT_FALSE(f.monitor->isRegistered());
}

// An unreadable state or a failed registration keeps the level and never calls.
TEST(ThermalMonitor, UnreadableStateOrFailedRegistrationChangesNothing) {
    for (bool registers : {true, false}) {
        Fixture f;
        f.source->pressure = 70;
        f.source->readable = !registers;  // readable once the registration failed: still not read
        f.source->canRegister = registers;
        f.start();
        EXPECT_EQ(f.monitor->isRegistered(), registers);
        EXPECT_TRUE(f.seen.empty());
        EXPECT_EQ(f.monitor->currentState(), ThermalLevel::nominal);
        f.monitor->stop();
        EXPECT_EQ(f.source->cancelled.size(), registers ? 1u : 0u);
    }

    test::FakeClock clock;
    ThermalMonitor none(nullptr, std::make_shared<test::ManualEventLoop>(clock));
    none.start([](ThermalLevel) { FAIL(); });
    EXPECT_FALSE(none.isRegistered());
    EXPECT_EQ(none.systemLevel(), std::nullopt) << "no source: unknown, not nominal";
}

}  // namespace
}  // namespace corvelle
