#include "outbound/PrometheusExposition.h"

#include "settings/Constants.h"
#include "util/Format.h"
#include "util/Utf8.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvelle::PrometheusExposition {
namespace {

// An average month of the Gregorian calendar.
constexpr double secondsPerMonth = 2'629'746;

std::string label(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + labelValue(value) + '"';
}

// Writes one family at a time; a family's HELP and TYPE lines go out with its first sample, so
// a family without samples leaves no trace.
class Text {
public:
    Text& family(const char* name, const char* help) {
        name_ = name;
        help_ = help;
        started_ = false;
        labels_.clear();
        return *this;
    }
    Text& sample(double value, const std::string& labels = {}) {
        if (!std::isfinite(value)) return *this;
        // Two samples with the same labels would make the whole text invalid.
        if (!labels.empty()) {
            if (std::find(labels_.begin(), labels_.end(), labels) != labels_.end()) return *this;
            labels_.push_back(labels);
        }
        if (!started_) {
            out_ += formatString("# HELP %s %s\n# TYPE %s gauge\n", name_, help_, name_);
            started_ = true;
        }
        out_ += name_;
        if (!labels.empty()) out_ += '{' + labels + '}';
        out_ += ' ' + formatString("%.15g", value) + '\n';
        return *this;
    }
    Text& sampleIf(bool present, double value, const std::string& labels = {}) {
        return present ? sample(value, labels) : *this;
    }
    std::string take() { return std::move(out_); }

private:
    const char* name_ = "";
    const char* help_ = "";
    bool started_ = false;
    std::vector<std::string> labels_;  // of the family's samples so far
    std::string out_;
};

double flag(bool value) { return value ? 1 : 0; }
// Charge in its base unit: one milliampere-hour is 3.6 coulombs.
double coulombs(std::int64_t milliampereHours) { return static_cast<double>(milliampereHours) * 3.6; }

void addBattery(const SystemStats& s, Text& text) {
    const bool battery = s.batteryIsPresent;
    text.family("corvelle_battery_charge_ratio", "Battery charge, 0 to 1.")
        .sampleIf(battery && s.batteryPercentage, s.batteryPercentage.value_or(0) / 100);
    text.family("corvelle_battery_health_ratio", "Full charge capacity over design capacity, 0 to 1.")
        .sampleIf(battery && s.batteryHealthPercent > 0, s.batteryHealthPercent / 100);
    // Not "_count": that suffix belongs to summaries and histograms.
    text.family("corvelle_battery_cycles", "Charge cycles the battery reports.")
        .sampleIf(battery && s.batteryCycleCount > 0, static_cast<double>(s.batteryCycleCount));
    text.family("corvelle_battery_design_capacity_coulombs", "Capacity the battery was designed for.")
        .sampleIf(battery && s.batteryDesignCapacityMAh > 0, coulombs(s.batteryDesignCapacityMAh));
    text.family("corvelle_battery_full_capacity_coulombs", "Capacity of the battery when fully charged now.")
        .sampleIf(battery && s.batteryMaxCapacityMAh > 0, coulombs(s.batteryMaxCapacityMAh));
    text.family("corvelle_battery_power_watts", "Power flowing into or out of the battery, never negative.")
        .sampleIf(battery, s.batteryWatts);
    text.family("corvelle_battery_charging", "1 while the battery charges.").sampleIf(battery, flag(s.batteryIsCharging));
    text.family("corvelle_battery_plugged_in", "1 while on external power.").sampleIf(battery, flag(s.batteryIsPluggedIn));
    text.family("corvelle_battery_time_remaining_seconds", "Estimated time until empty or full.")
        .sampleIf(battery && s.batteryTimeRemaining > 0, s.batteryTimeRemaining);
    text.family("corvelle_power_adapter_watts", "Rated power of the connected adapter.")
        .sampleIf(battery && s.batteryAdapterWatts > 0, static_cast<double>(s.batteryAdapterWatts));
}

void addDailyResults(const Figures& f, Text& text) {
    if (const auto& prediction = f.healthPrediction) {
        if (const auto cycles = prediction->estimatedCyclesTo80) {
            text.family("corvelle_battery_cycles_to_80_percent_health", "Charge cycles left until health reaches 80 %.")
                .sample(static_cast<double>(*cycles));
        }
        if (const auto months = prediction->estimatedMonthsTo80) {
            text.family("corvelle_battery_time_to_80_percent_health_seconds", "Time left until health reaches 80 %.")
                .sample(static_cast<double>(*months) * secondsPerMonth);
        }
    }
    if (const auto& habits = f.habitScore) {
        text.family("corvelle_habit_score_ratio", "Charging habit score of the last days, 0 to 1.")
            .sample(static_cast<double>(habits->overall) / 100);
        text.family("corvelle_habit_subscore_ratio", "Each part of the charging habit score, 0 to 1.");
        for (const auto& [area, sub] : {std::pair{"charging", &habits->charging}, std::pair{"thermal", &habits->thermal},
                                        std::pair{"discharge", &habits->discharge},
                                        std::pair{"plug_balance", &habits->pluggedBalance}}) {
            text.sample(sub->fraction(), label("area", area));
        }
    }
    if (const auto& profile = f.usageProfile) {
        text.family("corvelle_usage_profile_score_ratio", "How well the usage of the last days fits a profile, 0 to 1.")
            .sample(profile->primaryScore, label("profile", toRaw(profile->primary)) + ',' + label("rank", "primary"));
        if (profile->secondary && profile->secondaryScore) {
            text.sample(*profile->secondaryScore,
                        label("profile", toRaw(*profile->secondary)) + ',' + label("rank", "secondary"));
        }
    }
}

void addCpuAndMemory(const SystemStats& s, Text& text) {
    const bool cpu = !s.coreUsages.empty();
    text.family("corvelle_cpu_usage_ratio", "Share of all CPU time in use, 0 to 1.").sampleIf(cpu, s.cpuTotalUsage / 100);
    text.family("corvelle_cpu_cores", "Logical CPUs.").sampleIf(cpu, static_cast<double>(s.coreUsages.size()));
    const bool memory = s.memoryTotal > 0;
    text.family("corvelle_memory_used_bytes", "Memory in use.").sampleIf(memory, static_cast<double>(s.memoryUsed));
    text.family("corvelle_memory_total_bytes", "Installed memory.").sampleIf(memory, static_cast<double>(s.memoryTotal));
    text.family("corvelle_memory_pressure_ratio", "Memory pressure, 0 to 1.").sampleIf(memory, s.memoryPressure / 100);
    text.family("corvelle_app_group_cpu_ratio", "CPU use of the busiest applications, 1 for one core's time.");
    for (size_t i = 0; i < std::min(appGroupCount, s.appGroups.size()); ++i) {
        text.sample(s.appGroups[i].totalCPU / 100, label("app", s.appGroups[i].name));
    }
}

void addSensorsAndPower(const SystemStats& s, Text& text) {
    text.family("corvelle_cpu_temperature_celsius", "CPU temperature.").sampleIf(s.pCoreTemp > 0, s.pCoreTemp);
    text.family("corvelle_cpu_efficiency_cores_temperature_celsius", "Temperature of the efficiency cores.")
        .sampleIf(s.eCoreTemp > 0, s.eCoreTemp);
    text.family("corvelle_gpu_temperature_celsius", "GPU temperature.").sampleIf(s.gpuTemp > 0, s.gpuTemp);
    text.family("corvelle_fan_speed_rpm", "Fan speed.");
    for (size_t i = 0; i < s.fanSpeeds.size(); ++i) {
        text.sampleIf(s.fanSpeeds[i] >= 0, s.fanSpeeds[i], label("fan", std::to_string(i)));
    }
    text.family("corvelle_thermal_level", "Thermal pressure: 0 nominal, 33 moderate, 50 heavy, 70 trapping, 90 sleeping.")
        .sampleIf(s.thermalLevel.has_value(), toRaw(s.thermalLevel.value_or(ThermalLevel::nominal)));
    text.family("corvelle_power_watts", "Power drawn by a part of the machine.");
    for (const auto& [part, watts] : {std::pair{"cpu", s.cpuPowerWatts}, std::pair{"gpu", s.gpuPowerWatts},
                                      std::pair{"dram", s.dramPowerWatts}}) {
        text.sampleIf(watts > 0, watts, label("part", part));
    }
    text.family("corvelle_system_power_watts", "Power drawn by the measured parts together.")
        .sampleIf(s.totalPowerWatts > 0, s.totalPowerWatts);
    text.family("corvelle_power_meter_info",
                "Where the power figures come from, always 1: sysfs, service or apu; locked while only the power "
                "service may read the energy counters and it does not run.")
        .sampleIf(s.powerMeter != PowerMeter::none, 1, label("meter", toRaw(s.powerMeter)));
}

// Every GPU by its slot: what it is, its power state as a state set (1 for the state it is in),
// its figures while awake, and the busiest programs using it.
void addGpus(const SystemStats& s, Text& text) {
    const auto gpuLabel = [](const GpuStatus& gpu) { return label("gpu", gpu.id); };
    text.family("corvelle_gpu_info", "The machine's GPUs, always 1.");
    for (const auto& gpu : s.gpus) {
        text.sample(1, gpuLabel(gpu) + ',' + label("name", gpu.name) + ',' + label("driver", gpu.driver) + ',' +
                           label("kind", toRaw(gpu.kind)));
    }
    text.family("corvelle_gpu_state", "1 for the power state a GPU is in: active, suspended or alwaysOn.");
    for (const auto& gpu : s.gpus) {
        for (const auto state : {GpuState::active, GpuState::suspended, GpuState::alwaysOn}) {
            text.sample(flag(gpu.state == state), gpuLabel(gpu) + ',' + label("state", toRaw(state)));
        }
    }
    const auto perGpu = [&](const char* name, const char* help, auto figure) {
        text.family(name, help);
        for (const auto& gpu : s.gpus) {
            if (const std::optional<double> value = figure(gpu)) text.sample(*value, gpuLabel(gpu));
        }
    };
    perGpu("corvelle_gpu_load_ratio", "Share of a GPU's busiest engine in use, 0 to 1.", [](const GpuStatus& gpu) {
        return gpu.loadPercent ? std::optional(*gpu.loadPercent / 100) : std::nullopt;
    });
    perGpu("corvelle_gpu_power_watts", "Power a discrete GPU draws besides the processor package.",
           [](const GpuStatus& gpu) { return gpu.powerWatts; });
    perGpu("corvelle_gpu_device_temperature_celsius", "Temperature of each GPU.",
           [](const GpuStatus& gpu) { return gpu.temperature; });
    perGpu("corvelle_gpu_memory_used_bytes", "GPU memory in use.", [](const GpuStatus& gpu) {
        return gpu.memoryUsedBytes ? std::optional(static_cast<double>(*gpu.memoryUsedBytes)) : std::nullopt;
    });
    text.family("corvelle_gpu_app_load_ratio", "Share of a GPU's busiest engine the busiest programs use, 0 to 1.");
    for (const auto& gpu : s.gpus) {
        const auto users = gpuUsers(gpu);
        for (size_t i = 0; i < std::min(appGroupCount, users.size()); ++i) {
            if (users[i].busyPercent) text.sample(*users[i].busyPercent / 100, gpuLabel(gpu) + ',' + label("app", users[i].name));
        }
    }
}

}  // namespace

std::string labelValue(std::string_view text) {
    std::string out;
    for (const char c : Utf8::repaired(text)) {
        if (c == '\\' || c == '"') out += '\\';
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out;
}

std::string compose(const Figures& figures) {
    Text text;
    text.family("corvelle_build_info", "Corvelle's version, always 1.").sample(1, label("version", Constants::version()));
    addBattery(figures.stats, text);
    addDailyResults(figures, text);
    addCpuAndMemory(figures.stats, text);
    addSensorsAndPower(figures.stats, text);
    addGpus(figures.stats, text);
    return text.take();
}

}  // namespace corvelle::PrometheusExposition
