#include "outbound/MetricsPushService.h"
#include "outbound/PrometheusExposition.h"
#include "settings/MemoryKeyValueStore.h"

#include "support/FakeClock.h"
#include "support/FakeOutbound.h"
#include "support/MetricsFigures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

const std::optional<BatteryHealthPrediction> noPrediction;
const std::optional<HabitScore> noHabits;
const std::optional<ProfileClassification> noProfile;

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(PrometheusExposition, WritesWhatTheMachineHasAndNothingElse) {
    const test::MetricsFigures f;
    // Snapshot (with or without daily results), lines that must be there, families that must not.
    const std::tuple<const char*, bool, std::vector<std::string>, std::vector<std::string>> cases[] = {
        {"nothing read", false, {},
         {"corvelle_battery", "corvelle_cpu", "corvelle_memory", "corvelle_fan", "corvelle_power", "corvelle_app",
          "corvelle_habit", "corvelle_usage", "corvelle_thermal", "# TYPE corvelle_thermal"}},
        {"laptop", true,
         {"corvelle_thermal_level 0", "# TYPE corvelle_thermal_level gauge", "corvelle_battery_charge_ratio 0.62", "corvelle_battery_health_ratio 0.9", "corvelle_battery_cycles 312",
          "corvelle_battery_design_capacity_coulombs 18000", "corvelle_battery_full_capacity_coulombs 16200",
          "corvelle_battery_charging 1", "corvelle_battery_plugged_in 1", "corvelle_cpu_cores 8",
          "corvelle_cpu_temperature_celsius 55.5", "corvelle_fan_speed_rpm{fan=\"0\"} 0",
          "corvelle_fan_speed_rpm{fan=\"1\"} 2400", "corvelle_power_watts{part=\"cpu\"} 4.25",
          "corvelle_power_meter_info{meter=\"service\"} 1",
          "corvelle_memory_total_bytes 16777216", "corvelle_app_group_cpu_ratio{app=\"Fire\\\"fox\\\\\"} 2.5",
          // Two names that read the same once repaired are one series.
          "corvelle_app_group_cpu_ratio{app=\"bad\xef\xbf\xbd\"} 0.125",
          "corvelle_battery_cycles_to_80_percent_health 410",
          "corvelle_battery_time_to_80_percent_health_seconds 47335428", "corvelle_habit_score_ratio 0.8",
          "corvelle_habit_subscore_ratio{area=\"discharge\"} 0.4",
          "corvelle_usage_profile_score_ratio{profile=\"Power User\",rank=\"primary\"} 0.75",
          "corvelle_usage_profile_score_ratio{profile=\"Developer\",rank=\"secondary\"} 0.5"},
         {"corvelle_gpu_temperature", "corvelle_power_watts{part=\"gpu\"", "corvelle_system_power",
          "corvelle_battery_time_remaining", "corvelle_cpu_efficiency_cores_temperature"}},
    };
    for (const auto& [name, laptop, present, absent] : cases) {
        const std::string text = laptop ? PrometheusExposition::compose({f.stats, f.prediction, f.habits, f.profile})
                                        : PrometheusExposition::compose({SystemStats{}, noPrediction, noHabits, noProfile});
        for (const auto& line : present) EXPECT_TRUE(hasLine(text, line)) << name << ": " << line << "\n" << text;
        for (const auto& prefix : absent) {
            EXPECT_EQ(text.find("\n" + prefix), std::string::npos) << name << ": " << prefix << "\n" << text;
        }
    }
}

TEST(PrometheusExposition, EveryGpuWithItsStateAndWhileAwakeItsFiguresAndBusiestPrograms) {
    SystemStats s;
    s.gpus = {GpuStatus{.id = "0000:00:02.0", .name = "Intel Iris Xe Graphics", .driver = "i915", .state = GpuState::suspended},
              GpuStatus{.id = "0000:01:00.0", .name = "NVIDIA GeForce RTX 3050 Mobile", .driver = "nvidia",
                        .kind = GpuKind::discrete, .loadPercent = 41, .powerWatts = 6.2,
                        .clients = {{3100, "Steam", 30.0, {}}, {3101, "Steam", 7.0, {}}, {1200, "gnome-shell", {}, {}}}}};
    const std::string text = PrometheusExposition::compose({s, noPrediction, noHabits, noProfile});
    for (const char* line : {
             "corvelle_gpu_info{gpu=\"0000:00:02.0\",name=\"Intel Iris Xe Graphics\",driver=\"i915\",kind=\"integrated\"} 1",
             "corvelle_gpu_state{gpu=\"0000:00:02.0\",state=\"suspended\"} 1",
             "corvelle_gpu_state{gpu=\"0000:01:00.0\",state=\"suspended\"} 0",
             "corvelle_gpu_state{gpu=\"0000:01:00.0\",state=\"active\"} 1",
             "corvelle_gpu_load_ratio{gpu=\"0000:01:00.0\"} 0.41",
             "corvelle_gpu_power_watts{gpu=\"0000:01:00.0\"} 6.2",
             "corvelle_gpu_app_load_ratio{gpu=\"0000:01:00.0\",app=\"Steam\"} 0.37",
         }) {
        EXPECT_TRUE(hasLine(text, line)) << line << "\n" << text;
    }
    for (const char* absent : {"corvelle_gpu_load_ratio{gpu=\"0000:00:02.0\"", "corvelle_gpu_device_temperature",
                               "corvelle_gpu_app_load_ratio{gpu=\"0000:01:00.0\",app=\"gnome-shell\""}) {
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    }
}

struct PushStep {
    const char* what;
    std::optional<HttpResult> answer;      // given first to the push in flight
    double advance;                        // seconds then
    std::optional<std::string> url;        // set then; "" removes it
    bool dayChanged;
    size_t pushes;                         // pushes so far after the tick
};

TEST(MetricsPushService, PushesOnScheduleBacksOffAndStopsWithoutAnAddress) {
    auto clock = std::make_shared<test::FakeClock>();
    auto client = std::make_shared<test::RecordingHttpClient>();
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::vector<std::string> logged;
    MetricsPushService service(settings, client, clock, "0a1b", [&](const std::string& line) { logged.push_back(line); });
    const HttpResult offline{std::nullopt, "Could not connect to server", {}};
    const HttpResult accepted{200, "", {}};
    SystemStats nominal;
    nominal.thermalLevel = ThermalLevel::nominal;
    const PushStep steps[] = {
        {"no address: nothing", std::nullopt, 0, std::nullopt, false, 0},
        {"an address appears: looked at within a minute", std::nullopt, 59, " https://gw.example:9091/ ", false, 0},
        {"the minute is over", std::nullopt, 1, std::nullopt, false, 1},
        {"one push in flight at a time", std::nullopt, 400, std::nullopt, false, 1},
        {"offline: again 15 s later", offline, 14, std::nullopt, false, 1},
        {"", std::nullopt, 1, std::nullopt, false, 2},
        {"then 30 s later", offline, 29, std::nullopt, false, 2},
        {"", std::nullopt, 1, std::nullopt, false, 3},
        {"accepted: 5 minutes later", accepted, 299, std::nullopt, false, 3},
        {"", std::nullopt, 1, std::nullopt, false, 4},
        {"a new day pushes at once", accepted, 10, std::nullopt, true, 5},
        {"the address removed: the retry sends nothing", offline, 15, "", false, 5},
        {"", std::nullopt, 3600, std::nullopt, true, 5},
    };
    for (const auto& step : steps) {
        if (step.answer) client->recorded().back().done(*step.answer);
        clock->advance(step.advance);
        if (step.url) settings.setMetricsPushURL(*step.url);
        if (step.dayChanged) service.pushAtNextTick();
        service.tick({nominal, noPrediction, noHabits, noProfile});
        ASSERT_EQ(client->recorded().size(), step.pushes) << step.what;
    }
    const auto calls = client->recorded();
    for (const auto& call : calls) {
        EXPECT_EQ(call.method, "PUT");
        EXPECT_EQ(call.url, "https://gw.example:9091/metrics/job/corvelle/instance/0a1b");
        EXPECT_TRUE(hasLine(call.body, "corvelle_thermal_level 0"));
    }
    // A failure is said once until a push succeeds, without the address.
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].find("gw.example"), std::string::npos) << logged[0];
}

}  // namespace
}  // namespace corvelle
