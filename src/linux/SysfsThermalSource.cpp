#include "linux/SysfsThermalSource.h"

#include "linux/HwmonDevice.h"
#include "linux/SensorText.h"
#include "linux/TextFile.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// Trip points and limits outside this band are unset or placeholder values.
constexpr double kLowestLimit = 25, kHighestLimit = 150;

std::optional<double> readCelsius(const fs::path& file) {
    const auto text = TextFile::readTrimmed(file);
    return text ? SensorText::celsius(*text) : std::nullopt;
}

std::optional<double> readLimit(const fs::path& file) {
    const auto celsius = readCelsius(file);
    if (!celsius || *celsius <= kLowestLimit || *celsius > kHighestLimit) return std::nullopt;
    return celsius;
}

std::optional<std::uint64_t> readCount(const fs::path& file) {
    const auto text = TextFile::readTrimmed(file);
    return text ? TextFile::parseUnsigned(*text) : std::nullopt;
}

void lowest(std::optional<double>& limit, std::optional<double> candidate) {
    if (candidate && (!limit || *candidate < *limit)) limit = candidate;
}

// Entries of a directory whose names start with prefix, in name order.
std::vector<fs::path> entries(const fs::path& directory, std::string_view prefix) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A regular file; false for anything else, a symbolic link loop included.
bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isFan(std::string type) {
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
    return type.find("fan") != std::string::npos;
}

SystemThermalState coarse(ThermalPressure level) {
    switch (level) {
        case ThermalPressure::nominal: return SystemThermalState::nominal;
        case ThermalPressure::moderate: return SystemThermalState::fair;
        case ThermalPressure::heavy: return SystemThermalState::serious;
        case ThermalPressure::trapping:
        case ThermalPressure::sleeping: break;
    }
    return SystemThermalState::critical;
}

}  // namespace

SysfsThermalSource::SysfsThermalSource(fs::path root, std::shared_ptr<const Clock> clock)
    : root_(std::move(root)), clock_(std::move(clock)) {
    findZones();
    findCoretempLimits();
    findCoolingDevices();
    findThrottleCounters();
}

SysfsThermalSource::~SysfsThermalSource() {
    if (watch_) cancelPressureWatch(watch_->token);
}

void SysfsThermalSource::findZones() {
    for (const auto& zone : entries(root_ / "sys/class/thermal", "thermal_zone")) {
        SensorFiles sensor{zone / "temp", {}, {}, {}, {}};
        for (int trip = 0; trip < 64; ++trip) {
            const std::string prefix = "trip_point_" + std::to_string(trip) + "_";
            const auto type = TextFile::readTrimmed(zone / (prefix + "type"));
            if (!type) break;
            const auto celsius = readLimit(zone / (prefix + "temp"));
            if (*type == "passive") lowest(sensor.fair, celsius);
            if (*type == "hot") lowest(sensor.hot, celsius);
            if (*type == "critical") lowest(sensor.critical, celsius);
        }
        if (sensor.fair || sensor.hot || sensor.critical) sensors_.push_back(sensor);
    }
}

void SysfsThermalSource::findCoretempLimits() {
    for (const auto& device : HwmonDevice::scan(root_)) {
        if (device.name != "coretemp") continue;
        for (const auto& temperature : device.temperatures) {
            SensorFiles sensor{device.temperatureFile(temperature.index), {}, {}, {}, {}};
            sensor.fair = readLimit(device.temperatureFile(temperature.index, "max"));
            sensor.critical = readLimit(device.temperatureFile(temperature.index, "crit"));
            const auto alarm = device.temperatureFile(temperature.index, "crit_alarm");
            if (isFile(alarm)) sensor.alarm = alarm;
            if (sensor.fair || sensor.critical || !sensor.alarm.empty()) sensors_.push_back(sensor);
        }
    }
}

void SysfsThermalSource::findCoolingDevices() {
    for (const auto& device : entries(root_ / "sys/class/thermal", "cooling_device")) {
        const auto type = TextFile::readTrimmed(device / "type");
        if (type && !isFan(*type)) coolingStates_.push_back(device / "cur_state");
    }
}

// Core counters of every processor; the package counter, shared by a package's processors, once.
void SysfsThermalSource::findThrottleCounters() {
    std::set<std::string> packages;
    for (const auto& cpu : entries(root_ / "sys/devices/system/cpu", "cpu")) {
        const auto throttle = cpu / "thermal_throttle";
        if (!isFile(throttle / "core_throttle_count")) continue;
        throttleCounters_.push_back(throttle / "core_throttle_count");
        const auto package = TextFile::readTrimmed(cpu / "topology/physical_package_id");
        if (package && packages.insert(*package).second && isFile(throttle / "package_throttle_count")) {
            throttleCounters_.push_back(throttle / "package_throttle_count");
        }
    }
}

bool SysfsThermalSource::hasSources() const {
    return !sensors_.empty() || !coolingStates_.empty() || !throttleCounters_.empty();
}

ThermalEvaluator::Readings SysfsThermalSource::read() const {
    ThermalEvaluator::Readings readings;
    readings.time = clock_->uptime();
    for (const auto& files : sensors_) {
        const auto celsius = readCelsius(files.input);
        if (!celsius) continue;
        const bool alarm = !files.alarm.empty() && TextFile::readTrimmed(files.alarm) == "1";
        readings.sensors.push_back({*celsius, files.fair, files.hot, files.critical, alarm});
    }
    readings.coolingEngaged = std::any_of(coolingStates_.begin(), coolingStates_.end(), [](const fs::path& state) {
        const auto count = readCount(state);
        return count && *count > 0;
    });
    // Counters only grow, so their sum rises exactly when one of them does.
    if (!throttleCounters_.empty()) {
        std::uint64_t total = 0;
        for (const auto& counter : throttleCounters_) total += readCount(counter).value_or(0);
        readings.throttleCount = total;
    }
    return readings;
}

ThermalPressure SysfsThermalSource::evaluate() {
    return hasSources() ? evaluator_.evaluate(read()) : ThermalPressure::nominal;
}

SystemThermalState SysfsThermalSource::thermalState() { return coarse(evaluate()); }

int SysfsThermalSource::registerPressureWatch(EventLoop& loop, std::function<void()> onChange) {
    if (watch_) cancelPressureWatch(watch_->token);
    if (!hasSources()) return 0;
    Watch watch{&loop, 0, ++lastToken_, std::move(onChange), evaluate()};
    watch.timer = loop.startRepeating(kWatchInterval, [this] { watchTick(); });
    watch_ = std::move(watch);
    return watch_->token;
}

void SysfsThermalSource::watchTick() {
    const ThermalPressure level = evaluate();
    if (!watch_ || level == watch_->notified) return;
    watch_->notified = level;
    // A copy: the handler may cancel the watch that holds it.
    if (auto onChange = watch_->onChange) onChange();
}

std::optional<std::uint64_t> SysfsThermalSource::pressureState(int token) {
    if (!watch_ || watch_->token != token) return std::nullopt;
    return static_cast<std::uint64_t>(evaluator_.level());
}

void SysfsThermalSource::cancelPressureWatch(int token) {
    if (!watch_ || watch_->token != token) return;
    watch_->loop->cancel(watch_->timer);
    watch_.reset();
}

}  // namespace corvelle
