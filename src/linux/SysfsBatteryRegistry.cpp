#include "linux/SysfsBatteryRegistry.h"

#include "linux/PowerSupplies.h"

#include <algorithm>
#include <cmath>

namespace corvelle {
namespace {

constexpr std::int64_t kMaxVoltage = 100'000'000;  // µV: 100 V
constexpr std::int64_t kMaxCurrent = 100'000'000;  // µA: 100 A

using Attributes = SysfsBatteryRegistry::Attributes;
using PowerSupplies::text;
constexpr auto integerIn = BatteryPack::integerIn;

bool isSystemBattery(const Attributes& a) { return PowerSupplies::isMachineBattery(a) && text(a, "present") != "0"; }

bool isExternalSupply(const Attributes& a) {
    const auto type = text(a, "type");
    return type == "Mains" || type.starts_with("USB");
}

bool isOnline(const Attributes& a) { return text(a, "online") == "1"; }

// An online mains or USB supply; where none is listed, a battery that charges, is full or is held
// by a charge limit. A charging battery is on external power whatever the supplies say.
bool onExternalPower(const std::string& status, const std::vector<Attributes>& externals) {
    if (status == "Charging") return true;
    if (externals.empty()) return status == "Full" || status == "Not charging";
    return std::any_of(externals.begin(), externals.end(), isOnline);
}

// The negotiated limit of the first online external supply that reports one.
std::optional<std::int64_t> adapterWatts(const std::vector<Attributes>& externals) {
    for (const auto& supply : externals) {
        if (!isOnline(supply)) continue;
        const auto volts = integerIn(supply, "voltage_max", 1, kMaxVoltage);
        const auto amps = integerIn(supply, "current_max", 1, kMaxCurrent);
        if (volts && amps) return std::llround(static_cast<double>(*volts) * static_cast<double>(*amps) / 1e12);
    }
    return std::nullopt;
}

void putMilliAmpHours(PropertyDictionary& properties, const char* key, std::optional<double> value) {
    if (value) properties.emplace(key, static_cast<std::int64_t>(std::llround(*value)));
}

}  // namespace

SysfsBatteryRegistry::SysfsBatteryRegistry(std::filesystem::path root) : root_(std::move(root)) {}

PropertyDictionary SysfsBatteryRegistry::propertiesFrom(const std::vector<Attributes>& batteries,
                                                        const std::vector<Attributes>& externals) {
    std::vector<BatteryPack> packs;
    for (const auto& battery : batteries) packs.push_back(BatteryPack::from(battery));
    const BatteryPack pack = BatteryPack::combined(packs);
    PropertyDictionary properties;
    if (const auto percent = pack.percent()) {
        properties.emplace("ChargePercent", *percent);
    } else if (pack.level) {
        properties.emplace("ChargeLevel", *pack.level);
    }
    if (const auto health = pack.healthPercent()) properties.emplace("HealthPercent", *health);
    putMilliAmpHours(properties, "AppleRawCurrentCapacity", pack.nowMAh);
    putMilliAmpHours(properties, "AppleRawMaxCapacity", pack.fullMAh);
    putMilliAmpHours(properties, "DesignCapacity", pack.designMAh);
    if (pack.watts) properties.emplace("PowerWatts", *pack.watts);
    // Drivers disagree on the current's sign: take its size, negative while discharging.
    const bool discharging = pack.status == "Discharging";
    if (pack.currentMA) properties.emplace("InstantAmperage", discharging ? -*pack.currentMA : *pack.currentMA);
    if (pack.voltageMV) properties.emplace("Voltage", *pack.voltageMV);
    if (pack.cycleCount) properties.emplace("CycleCount", *pack.cycleCount);
    if (!pack.status.empty()) properties.emplace("IsCharging", pack.status == "Charging");
    properties.emplace("ExternalConnected", onExternalPower(pack.status, externals));
    if (const auto watts = adapterWatts(externals)) {
        properties.emplace("AdapterDetails", PropertyDictionary{{"Watts", *watts}});
    }
    return properties;
}

std::optional<PropertyDictionary> SysfsBatteryRegistry::properties() {
    std::vector<Attributes> batteries;
    std::vector<Attributes> externals;
    // Only what a supply's kind needs is read: a peripheral's battery costs three reads.
    for (const auto& supply : PowerSupplies::list(root_)) {
        Attributes attributes;
        PowerSupplies::readInto(supply, {"type"}, attributes);
        if (text(attributes, "type") == "Battery") PowerSupplies::readInto(supply, {"scope", "present"}, attributes);
        if (isSystemBattery(attributes)) {
            PowerSupplies::readInto(supply,
                                    {"status", "capacity", "capacity_level", "charge_now", "charge_full",
                                     "charge_full_design", "energy_now", "energy_full", "energy_full_design",
                                     "voltage_now", "voltage_min_design", "current_now", "power_now", "cycle_count"},
                                    attributes);
            batteries.push_back(std::move(attributes));
        } else if (isExternalSupply(attributes)) {
            PowerSupplies::readInto(supply, {"online", "voltage_max", "current_max"}, attributes);
            externals.push_back(std::move(attributes));
        }
    }
    if (batteries.empty()) return std::nullopt;
    return propertiesFrom(batteries, externals);
}

}  // namespace corvelle
