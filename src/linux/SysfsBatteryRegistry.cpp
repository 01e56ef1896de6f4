#include "linux/SysfsBatteryRegistry.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <cmath>

namespace corvelle {
namespace {

// Plausible ranges of the kernel's micro-unit readings; anything outside is no reading.
constexpr std::int64_t kMaxCharge = 1'000'000'000;     // µAh: 1000 Ah
constexpr std::int64_t kMaxEnergy = 100'000'000'000;   // µWh: 100 kWh
constexpr std::int64_t kMaxVoltage = 100'000'000;      // µV: 100 V
constexpr std::int64_t kMaxCurrent = 100'000'000;      // µA: 100 A
constexpr std::int64_t kMaxPower = 10'000'000'000;     // µW: 10 kW
constexpr std::int64_t kMaxCycles = 1'000'000;

// What is read of a battery, and of a mains or USB supply.
constexpr const char* kBatteryAttributes[] = {
    "status",      "capacity",           "charge_now",  "charge_full", "charge_full_design",
    "energy_now",  "energy_full",        "energy_full_design",         "voltage_now",
    "voltage_min_design",                "current_now", "power_now",   "cycle_count"};
constexpr const char* kSupplyAttributes[] = {"online", "voltage_max", "current_max"};

std::string_view text(const SysfsBatteryRegistry::Attributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string_view() : std::string_view(found->second);
}

std::optional<std::int64_t> integerIn(const SysfsBatteryRegistry::Attributes& attributes, std::string_view name,
                                      std::int64_t min, std::int64_t max) {
    const auto value = TextFile::parseSigned(text(attributes, name));
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

bool isSystemBattery(const SysfsBatteryRegistry::Attributes& a) {
    return text(a, "type") == "Battery" && text(a, "scope") != "Device" && text(a, "present") != "0";
}

bool isExternalSupply(const SysfsBatteryRegistry::Attributes& a) {
    const auto type = text(a, "type");
    return type == "Mains" || type.starts_with("USB");
}

bool isOnline(const SysfsBatteryRegistry::Attributes& a) { return text(a, "online") == "1"; }

// Capacities in mAh: charge readings directly, energy readings through the design minimum voltage.
struct Capacities {
    std::optional<std::int64_t> now, full, design;
};

Capacities capacitiesOf(const SysfsBatteryRegistry::Attributes& a) {
    const auto inMilli = [](std::optional<std::int64_t> micro) -> std::optional<std::int64_t> {
        if (!micro) return std::nullopt;
        return *micro / 1000;
    };
    if (a.count("charge_now") || a.count("charge_full")) {
        return {inMilli(integerIn(a, "charge_now", 0, kMaxCharge)), inMilli(integerIn(a, "charge_full", 1, kMaxCharge)),
                inMilli(integerIn(a, "charge_full_design", 1, kMaxCharge))};
    }
    const auto volts = integerIn(a, "voltage_min_design", 1, kMaxVoltage);
    const auto toCharge = [&](std::string_view name, std::int64_t min) -> std::optional<std::int64_t> {
        const auto energy = integerIn(a, name, min, kMaxEnergy);
        if (!energy || !volts) return std::nullopt;
        return *energy * 1000 / *volts;  // µWh / µV = Ah
    };
    return {toCharge("energy_now", 0), toCharge("energy_full", 1), toCharge("energy_full_design", 1)};
}

// The current's magnitude in mA, from current_now or else power_now over voltage_now.
std::optional<std::int64_t> currentMagnitude(const SysfsBatteryRegistry::Attributes& a) {
    if (const auto current = integerIn(a, "current_now", -kMaxCurrent, kMaxCurrent)) return std::abs(*current) / 1000;
    const auto power = integerIn(a, "power_now", -kMaxPower, kMaxPower);
    const auto volts = integerIn(a, "voltage_now", 1, kMaxVoltage);
    if (!power || !volts) return std::nullopt;
    return std::abs(*power) * 1000 / *volts;  // µW / µV = A
}

// The negotiated limit of the first online external supply that reports one.
std::optional<std::int64_t> adapterWatts(const std::vector<SysfsBatteryRegistry::Attributes>& externals) {
    for (const auto& supply : externals) {
        if (!isOnline(supply)) continue;
        const auto volts = integerIn(supply, "voltage_max", 1, kMaxVoltage);
        const auto amps = integerIn(supply, "current_max", 1, kMaxCurrent);
        if (volts && amps) return std::llround(static_cast<double>(*volts) * static_cast<double>(*amps) / 1e12);
    }
    return std::nullopt;
}

void putIfPresent(PropertyDictionary& properties, const char* key, std::optional<std::int64_t> value) {
    if (value) properties.emplace(key, *value);
}

template <size_t N>
void readAttributes(const std::filesystem::path& directory, const char* const (&names)[N],
                    SysfsBatteryRegistry::Attributes& attributes) {
    for (const char* name : names) {
        if (auto value = TextFile::readTrimmed(directory / name)) attributes.emplace(name, std::move(*value));
    }
}

}  // namespace

SysfsBatteryRegistry::SysfsBatteryRegistry(std::filesystem::path root) : root_(std::move(root)) {}

PropertyDictionary SysfsBatteryRegistry::propertiesFrom(const Attributes& battery,
                                                        const std::vector<Attributes>& externals) {
    PropertyDictionary properties;
    const Capacities capacities = capacitiesOf(battery);
    putIfPresent(properties, "AppleRawCurrentCapacity", capacities.now);
    putIfPresent(properties, "AppleRawMaxCapacity", capacities.full);
    putIfPresent(properties, "NominalChargeCapacity", capacities.full);
    putIfPresent(properties, "DesignCapacity", capacities.design);
    // Drivers disagree on the current's sign: take its size, negative while discharging.
    const bool discharging = text(battery, "status") == "Discharging";
    if (const auto current = currentMagnitude(battery)) properties.emplace("InstantAmperage", discharging ? -*current : *current);
    if (const auto volts = integerIn(battery, "voltage_now", 0, kMaxVoltage)) properties.emplace("Voltage", *volts / 1000);
    putIfPresent(properties, "CycleCount", integerIn(battery, "cycle_count", 1, kMaxCycles));
    putIfPresent(properties, "CurrentCapacity", integerIn(battery, "capacity", 0, 100));
    if (battery.count("status")) properties.emplace("IsCharging", text(battery, "status") == "Charging");
    properties.emplace("ExternalConnected", std::any_of(externals.begin(), externals.end(), isOnline));
    if (const auto watts = adapterWatts(externals)) {
        properties.emplace("AdapterDetails", PropertyDictionary{{"Watts", *watts}});
    }
    return properties;
}

std::optional<PropertyDictionary> SysfsBatteryRegistry::properties() {
    std::vector<std::filesystem::path> supplies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "sys/class/power_supply", error)) {
        supplies.push_back(entry.path());
    }
    std::sort(supplies.begin(), supplies.end());
    std::optional<Attributes> battery;
    std::vector<Attributes> externals;
    for (const auto& supply : supplies) {
        Attributes attributes;
        readAttributes(supply, {"type"}, attributes);
        if (!battery && text(attributes, "type") == "Battery") readAttributes(supply, {"scope", "present"}, attributes);
        if (!battery && isSystemBattery(attributes)) {
            readAttributes(supply, kBatteryAttributes, attributes);
            battery = std::move(attributes);
        } else if (isExternalSupply(attributes)) {
            readAttributes(supply, kSupplyAttributes, attributes);
            externals.push_back(std::move(attributes));
        }
    }
    if (!battery) return std::nullopt;
    return propertiesFrom(*battery, externals);
}

}  // namespace corvelle
