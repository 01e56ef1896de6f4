#include "linux/gpu/LinuxGpuSource.h"

#include "linux/HwmonSMCTransport.h"
#include "sampling/TemperatureMonitor.h"
#include "support/FakeClock.h"
#include "support/NvmlStub.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kRadeon = "sys/devices/pci0000:00/0000:00:01.1/0000:01:00.0/0000:02:00.0/0000:03:00.0";
constexpr const char* kGeForce = "sys/devices/pci0000:00/0000:00:01.0/0000:01:00.0";

std::string in(const char* device, const char* file) { return std::string(device) + '/' + file; }

// One layout's GPUs and temperatures, read through one gate on a clock of the test's.
struct Machine {
    explicit Machine(const std::string& layout, const std::string& nvml = test::NvmlStub::path())
        : tree("gpu/" + layout),
          gate(std::make_shared<GpuGate>(clock)),
          source(tree.root(), gate, clock, nvml),
          smc(std::make_unique<HwmonSMCTransport>(tree.root(), gate)),
          temperatures(smc) {}

    std::vector<GpuReading> tick(GpuSource::Request request = {.details = true}, double seconds = 2) {
        clock->advance(seconds);
        return source.sample(request);
    }
    double gpuTemperature() { return temperatures.sample()->gpuTemp; }

    test::WritableFixture tree;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<GpuGate> gate;
    LinuxGpuSource source;
    SMCService smc;
    TemperatureMonitor temperatures;
};

// The Radeon of the Legion counts each read as use and sleeps 5 s after the last: it and its
// temperature are read at most every 6 s, and what was read stands in between.
TEST(LinuxGpuSource, ADiscreteGpuThatMaySleepIsReadInBurstsFurtherApartThanItsDelay) {
    Machine m("amd-apu-amd-dgpu");
    m.tree.write(in(kRadeon, "power/runtime_status"), "active");
    // Seconds waited, the power and junction temperature it has then, what is shown.
    const std::tuple<double, const char*, const char*, std::optional<double>, double, const char*> steps[] = {
        {2, "9000000", "48000", 9.0, 48, "awake: read at once"},
        {2, "11000000", "70000", 9.0, 48, "2 s later: the last figures"},
        {2, "11000000", "70000", 9.0, 48, "4 s"},
        {2, "11000000", "70000", 11.0, 70, "6 s: the next burst"},
    };
    for (const auto& [seconds, microwatts, junction, watts, temperature, what] : steps) {
        m.tree.write(in(kRadeon, "hwmon/hwmon6/power1_average"), microwatts);
        m.tree.write(in(kRadeon, "hwmon/hwmon6/temp2_input"), junction);
        m.clock->advance(seconds - 2);
        const auto gpus = m.tick();
        EXPECT_EQ(gpus[1].powerWatts, watts) << what;
        EXPECT_EQ(m.gpuTemperature(), temperature) << what;
    }
    m.tree.write(in(kRadeon, "power/runtime_status"), "suspended");
    auto gpus = m.tick();
    EXPECT_EQ(std::tuple(gpus[1].power, gpus[1].powerWatts, gpus[1].temperature),
              std::tuple(GpuReading::Power::suspended, std::optional(0.0), std::optional<double>()));
    EXPECT_EQ(m.gpuTemperature(), 40);  // the processor's graphics now
    m.tree.write(in(kRadeon, "power/runtime_status"), "active");
    m.tree.write(in(kRadeon, "hwmon/hwmon6/power1_average"), "7000000");
    EXPECT_EQ(m.tick()[1].powerWatts, 7.0);  // woken by someone else: read at once
}

TEST(LinuxGpuSource, AGpuThatNeverSleepsIsReadEveryTick) {
    Machine m("desktop-one-card");
    for (const char* microwatts : {"19000000", "150000000", "20000000"}) {
        m.tree.write(in(kRadeon, "hwmon/hwmon1/power1_average"), microwatts);
        const auto gpu = m.tick().at(0);
        EXPECT_EQ(gpu.power, GpuReading::Power::alwaysOn);
        EXPECT_DOUBLE_EQ(*gpu.powerWatts, std::stod(microwatts) / 1e6);
        EXPECT_EQ(std::tuple(gpu.loadPercent, gpu.temperature, gpu.memoryUsedBytes),
                  std::tuple(std::optional(4.0), std::optional(39.0), std::optional<std::uint64_t>(1610612736)));
    }
}

// Without the details only a discrete GPU's power is read (and the clients when asked).
TEST(LinuxGpuSource, HiddenTicksReadOnlyTheDiscretePower) {
    Machine m("intel-arc-xe");
    m.source.findClients(std::vector<std::int32_t>{1200, 2400, 2401});
    m.tick({}, 0);  // in the burst the sensors' scan began
    m.tree.write(in("sys/devices/pci0000:00/0000:00:01.0/0000:01:00.0/0000:02:01.0/0000:03:00.0", "hwmon/hwmon4/energy1_input"),
                 "1014000000");  // 14 J over the 6 s till the next burst
    const auto gpus = m.tick({.discreteClients = true}, 6);
    ASSERT_TRUE(gpus[1].powerWatts);
    EXPECT_NEAR(*gpus[1].powerWatts, 14.0 / 6, 1e-6);
    EXPECT_EQ(std::tuple(gpus[1].loadPercent, gpus[1].temperature), std::tuple(std::nullopt, std::nullopt));
    EXPECT_EQ(gpus[1].clients.size(), 3u);  // the compositor, Blender and its child
    EXPECT_TRUE(gpus[0].clients.empty());
    EXPECT_FALSE(gpus[0].powerWatts);  // processor graphics: part of the package
}

// Without NVIDIA's library its GPU is listed with its state and the programs holding its device
// files, and no figures (with it, see GpuEndToEnd).
TEST(LinuxGpuSource, NvidiaIsListedWithoutItsLibrary) {
    Machine m("hybrid-intel-nvidia", "libnvidia-ml-not-installed.so.1");
    EXPECT_FALSE(m.source.hasNvml());
    m.source.findClients(std::vector<std::int32_t>{1200, 2400, 3100, 5000});
    auto geforce = m.tick().at(1);
    EXPECT_EQ(std::tuple(geforce.name, geforce.power, geforce.powerWatts, geforce.clients.size()),
              std::tuple("NVIDIA GeForce RTX 3050 Mobile", GpuReading::Power::suspended, std::optional(0.0), size_t{0}));
    m.tree.write(in(kGeForce, "power/runtime_status"), "active");
    geforce = m.tick().at(1);
    EXPECT_EQ(std::tuple(geforce.power, geforce.powerWatts, geforce.loadPercent),
              std::tuple(GpuReading::Power::active, std::optional<double>(), std::optional<double>()));
    // Steam holds NVIDIA's device file, the compositor its DRM node.
    EXPECT_EQ(geforce.clients, (std::vector<GpuReading::Client>{{1200, {}, {}}, {3100, {}, {}}}));
}

}  // namespace
}  // namespace corvelle
