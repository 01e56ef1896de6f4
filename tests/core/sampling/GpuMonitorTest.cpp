#include "sampling/GpuMonitor.h"

#include "support/FakeClock.h"
#include "support/FakeProcessTable.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Pids = std::vector<std::int32_t>;

// GPUs as the test sets them, and what the monitor asked of them.
struct FakeGpuSource : GpuSource {
    std::vector<GpuReading> gpus;
    std::vector<Pids> found, kept;
    std::vector<Request> requests;

    std::vector<GpuReading> sample(const Request& request) override {
        requests.push_back(request);
        return gpus;
    }
    void findClients(std::span<const std::int32_t> pids) override { found.emplace_back(pids.begin(), pids.end()); }
    void keepClients(std::span<const std::int32_t> pids) override { kept.emplace_back(pids.begin(), pids.end()); }
};

struct Harness {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    test::FakeProcessTable* table = new test::FakeProcessTable;
    ProcessMonitor processes{std::unique_ptr<ProcessTable>(table), clock};
    FakeGpuSource* source = new FakeGpuSource;
    GpuMonitor gpus{std::unique_ptr<GpuSource>(source)};

    Harness() {
        table->add(20, "/usr/lib/firefox/firefox");
        table->add(10, "/usr/bin/gnome-shell");
        auto& kernel = table->add(2, "", "kthreadd").task;
        kernel.isKernelThread = true;
        source->gpus = {GpuReading{.id = "0000:00:02.0"}, GpuReading{.id = "0000:01:00.0", .discrete = true}};
    }
    std::vector<GpuStatus> tick(bool shown, double seconds = 2) {
        clock->advance(seconds);
        processes.sample(std::nullopt, 15);
        return *gpus.sample(shown, processes);
    }
};

// Clients are looked for only while the figures are shown or a discrete GPU is awake: all
// processes at first, the new ones at each tick, those that ran at the full rounds.
TEST(GpuMonitor, LooksForClientsOnlyWhileTheyAreNeededAndAmongNewProcessesBetweenFullRounds) {
    Harness h;
    h.table->idle = {10};  // the compositor sits idle
    using Power = GpuReading::Power;
    const struct {
        const char* what;
        bool shown;
        double seconds;
        Power discrete;  // the discrete GPU's state in this tick's sample
        std::optional<Pids> found, kept;
        GpuSource::Request request;
    } steps[] = {
        {"hidden, the discrete GPU asleep: nothing", false, 2, Power::suspended, {}, {}, {}},
        {"shown: every process", true, 2, Power::suspended, Pids{10, 20}, Pids{10, 20}, {true, true}},
        {"a new process", true, 2, Power::active, Pids{30}, Pids{10, 20, 30}, {true, true}},
        {"hidden, the discrete GPU awake", false, 2, Power::active, {}, Pids{10, 20, 30}, {false, true}},
        {"a full round: those that ran", false, 30, Power::suspended, Pids{20, 30}, Pids{10, 20, 30}, {false, true}},
        {"hidden, asleep again: the clients are forgotten", false, 2, Power::suspended, {}, Pids{}, {}},
        {"and nothing more is done", false, 2, Power::suspended, {}, {}, {}},
    };
    for (const auto& step : steps) {
        if (step.found == Pids{30}) h.table->add(30, "/usr/bin/steam");
        h.source->found.clear(), h.source->kept.clear(), h.source->requests.clear();
        h.source->gpus[1].power = step.discrete;
        h.tick(step.shown, step.seconds);
        EXPECT_EQ(h.source->found, step.found ? std::vector<Pids>{*step.found} : std::vector<Pids>{}) << step.what;
        EXPECT_EQ(h.source->kept, step.kept ? std::vector<Pids>{*step.kept} : std::vector<Pids>{}) << step.what;
        ASSERT_EQ(h.source->requests.size(), 1u);
        EXPECT_EQ(std::tuple(h.source->requests[0].details, h.source->requests[0].discreteClients),
                  std::tuple(step.request.details, step.request.discreteClients))
            << step.what;
    }
}

TEST(GpuMonitor, ClientsAreNamedBusiestFirstAndProcessesGoneAreLeftOut) {
    Harness h;
    h.source->gpus[1] = {.id = "0000:01:00.0",
                         .name = "Radeon",
                         .discrete = true,
                         .powerWatts = 6.2,
                         .clients = {{10, std::nullopt, {}}, {20, 3.0, {}}, {99, 50.0, {}}, {21, 12.0, {}}}};
    h.table->add(21, "/usr/lib/firefox/firefox");
    const auto gpus = h.tick(true);
    ASSERT_EQ(gpus.size(), 2u);
    EXPECT_EQ(std::tuple(gpus[1].name, gpus[1].kind, gpus[1].state, gpus[1].powerWatts),
              std::tuple("Radeon", GpuKind::discrete, GpuState::active, std::optional(6.2)));
    EXPECT_EQ(gpus[1].clients, (std::vector<GpuClient>{{21, "firefox", 12.0, {}}, {20, "firefox", 3.0, {}},
                                                       {10, "gnome-shell", std::nullopt, {}}}));
    EXPECT_EQ(gpuUsers(gpus[1]).front().busyPercent, 15.0);  // one program, its processes' use together
}

}  // namespace
}  // namespace corvelle
