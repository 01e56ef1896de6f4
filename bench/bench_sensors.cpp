// Cost of one sample of the battery, temperature, thermal and energy readers, on recorded
// laptop trees (this machine may have none of these) and on this machine.
#include "linux/HwmonSMCTransport.h"
#include "linux/power/RaplEnergySource.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsThermalSource.h"
#include "linux/SystemClock.h"
#include "sampling/BatteryMonitor.h"
#include "sampling/PowerMonitor.h"
#include "sampling/TemperatureMonitor.h"
#include "sampling/ThermalMonitor.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace corvelle;

namespace {

std::filesystem::path tree(const char* fixture) {
    return fixture ? std::filesystem::path(CORVELLE_FIXTURES_DIR) / fixture : std::filesystem::path("/");
}

void BM_BatterySample(benchmark::State& state, const char* fixture) {
    BatteryMonitor reader(std::make_unique<SysfsBatteryRegistry>(tree(fixture)), std::make_shared<SystemClock>());
    for (auto _ : state) benchmark::DoNotOptimize(reader.sample());
}

void BM_BatteryEstimate(benchmark::State& state) {
    BatteryMonitor reader(nullptr, std::make_shared<SystemClock>());
    BatteryMonitor::Snapshot snapshot;
    snapshot.voltage = 11400;
    snapshot.rawCurrentCapacity = 4000;
    snapshot.percentage = 50;
    double cpu = 0;
    for (auto _ : state) {
        snapshot.watts = 8 + cpu / 25;
        cpu = cpu > 90 ? 0 : cpu + 7;
        benchmark::DoNotOptimize(reader.estimateTimeRemaining(snapshot, cpu, 2));
    }
}

// With the type cache warm, as on every tick after the first.
void BM_TemperatureSample(benchmark::State& state, const char* fixture) {
    SMCService smc(std::make_unique<HwmonSMCTransport>(tree(fixture)));
    TemperatureMonitor reader(smc);
    reader.sample();
    for (auto _ : state) benchmark::DoNotOptimize(reader.sample());
}

void BM_ThermalState(benchmark::State& state, const char* fixture) {
    ThermalMonitor reader(std::make_unique<SysfsThermalSource>(tree(fixture), std::make_shared<SystemClock>()),
                          nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(reader.systemLevel());
}

void BM_PowerSample(benchmark::State& state, const char* fixture) {
    PowerMonitor reader(
        IOReportService(std::make_unique<RaplEnergySource>(tree(fixture)), std::make_shared<SystemClock>()));
    for (auto _ : state) benchmark::DoNotOptimize(reader.sample());
}

}  // namespace

BENCHMARK_CAPTURE(BM_BatterySample, laptop, "battery/charge-discharging");
BENCHMARK_CAPTURE(BM_BatterySample, thisMachine, nullptr);
BENCHMARK(BM_BatteryEstimate);
BENCHMARK_CAPTURE(BM_TemperatureSample, intelHybrid, "hwmon/intel-hybrid");
BENCHMARK_CAPTURE(BM_TemperatureSample, amdDesktop, "hwmon/amd-desktop");
BENCHMARK_CAPTURE(BM_TemperatureSample, thisMachine, nullptr);
BENCHMARK_CAPTURE(BM_ThermalState, laptop, "thermal/laptop");
BENCHMARK_CAPTURE(BM_ThermalState, thisMachine, nullptr);
BENCHMARK_CAPTURE(BM_PowerSample, laptop, "rapl/readable");
BENCHMARK_CAPTURE(BM_PowerSample, thisMachine, nullptr);
