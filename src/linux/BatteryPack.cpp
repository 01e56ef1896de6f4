#include "linux/BatteryPack.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace corvelle {
namespace {

// Plausible ranges of the kernel's micro-unit readings; anything outside is no reading.
constexpr std::int64_t kMaxCharge = 1'000'000'000;    // µAh: 1000 Ah
constexpr std::int64_t kMaxEnergy = 100'000'000'000;  // µWh: 100 kWh
constexpr std::int64_t kMaxVoltage = 100'000'000;     // µV: 100 V
constexpr std::int64_t kMaxCurrent = 100'000'000;     // µA: 100 A
constexpr std::int64_t kMaxPower = 10'000'000'000;    // µW: 10 kW
constexpr std::int64_t kMaxCycles = 1'000'000;

using Attributes = BatteryPack::Attributes;
using Ratio = BatteryPack::Ratio;

std::optional<double> realIn(const Attributes& a, std::string_view name, std::int64_t min, std::int64_t max) {
    const auto value = BatteryPack::integerIn(a, name, min, max);
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}

// Two amounts of one unit, energy when the driver gives both in energy, else charge.
std::optional<Ratio> ratioOf(const Attributes& a, const char* part, const char* whole, std::int64_t partMin) {
    for (const bool energy : {true, false}) {
        const std::string prefix = energy ? "energy_" : "charge_";
        const std::int64_t max = energy ? kMaxEnergy : kMaxCharge;
        const auto p = realIn(a, prefix + part, partMin, max);
        const auto w = realIn(a, prefix + whole, 1, max);
        if (p && w) return Ratio{energy, *p, *w};
    }
    return std::nullopt;
}

// mAh from the charge reading, else from energy over the design minimum voltage, else over the
// present voltage; absent without either.
std::optional<double> milliAmpHours(const Attributes& a, const std::string& suffix, std::int64_t min) {
    if (a.count("charge_" + suffix)) {
        const auto charge = realIn(a, "charge_" + suffix, min, kMaxCharge);
        return charge ? std::optional<double>(*charge / 1000.0) : std::nullopt;
    }
    const auto energy = realIn(a, "energy_" + suffix, min, kMaxEnergy);
    auto volts = realIn(a, "voltage_min_design", 1, kMaxVoltage);
    if (!volts) volts = realIn(a, "voltage_now", 1, kMaxVoltage);
    if (!energy || !volts) return std::nullopt;
    return *energy * 1000.0 / *volts;  // µWh / µV = Ah
}

bool drawsNothing(std::string_view status) { return status == "Full" || status == "Not charging"; }

// power_now, else current_now × voltage_now; nothing flows into or out of a full or held battery.
std::optional<double> wattsOf(const Attributes& a) {
    if (drawsNothing(PowerSupplies::text(a, "status"))) return 0.0;
    if (const auto power = realIn(a, "power_now", -kMaxPower, kMaxPower)) return std::fabs(*power) / 1e6;
    const auto current = realIn(a, "current_now", -kMaxCurrent, kMaxCurrent);
    const auto volts = realIn(a, "voltage_now", 1, kMaxVoltage);
    if (!current || !volts) return std::nullopt;
    return std::fabs(*current) * *volts / 1e12;
}

// The current's magnitude in mA, from current_now or else power_now over voltage_now.
std::optional<std::int64_t> currentOf(const Attributes& a) {
    if (drawsNothing(PowerSupplies::text(a, "status"))) return 0;
    if (const auto current = BatteryPack::integerIn(a, "current_now", -kMaxCurrent, kMaxCurrent)) {
        return std::abs(*current) / 1000;
    }
    const auto power = BatteryPack::integerIn(a, "power_now", -kMaxPower, kMaxPower);
    const auto volts = BatteryPack::integerIn(a, "voltage_now", 1, kMaxVoltage);
    if (!power || !volts) return std::nullopt;
    return std::abs(*power) * 1000 / *volts;  // µW / µV = A
}

// The kernel's levels from lowest to highest; anything else ranks past the end.
std::ptrdiff_t levelRank(std::string_view level) {
    constexpr std::string_view order[] = {"Critical", "Low", "Normal", "High", "Full"};
    return std::find(std::begin(order), std::end(order), level) - std::begin(order);
}

// The sum of one field over every pack, absent when any pack lacks it.
template <typename T>
std::optional<T> sumOf(const std::vector<BatteryPack>& packs, std::optional<T> BatteryPack::*field) {
    T total{};
    for (const auto& pack : packs) {
        if (!(pack.*field)) return std::nullopt;
        total += *(pack.*field);
    }
    return total;
}

// Ratios add up only in one unit: energy and charge do not mix.
std::optional<Ratio> summedRatio(const std::vector<BatteryPack>& packs, std::optional<Ratio> BatteryPack::*field) {
    if (!(packs.front().*field)) return std::nullopt;
    Ratio total{(packs.front().*field)->energy, 0, 0};
    for (const auto& pack : packs) {
        const auto& ratio = pack.*field;
        if (!ratio || ratio->energy != total.energy) return std::nullopt;
        total.part += ratio->part;
        total.whole += ratio->whole;
    }
    return total;
}

std::optional<double> meanPercent(const std::vector<BatteryPack>& packs) {
    double sum = 0;
    for (const auto& pack : packs) {
        const auto percent = pack.percent();
        if (!percent) return std::nullopt;
        sum += *percent;
    }
    return sum / static_cast<double>(packs.size());
}

std::string combinedStatus(const std::vector<BatteryPack>& packs) {
    const auto any = [&](std::string_view status) {
        return std::any_of(packs.begin(), packs.end(), [&](const auto& pack) { return pack.status == status; });
    };
    if (any("Charging")) return "Charging";
    if (any("Discharging")) return "Discharging";
    if (std::all_of(packs.begin(), packs.end(), [](const auto& pack) { return pack.status == "Full"; })) return "Full";
    if (any("Not charging")) return "Not charging";
    return packs.front().status;
}

double percentOf(const Ratio& ratio) { return std::min(ratio.part / ratio.whole * 100.0, 100.0); }

}  // namespace

std::optional<std::int64_t> BatteryPack::integerIn(const Attributes& attributes, std::string_view name,
                                                   std::int64_t min, std::int64_t max) {
    const auto value = TextFile::parseSigned(PowerSupplies::text(attributes, name));
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

BatteryPack BatteryPack::from(const Attributes& a) {
    BatteryPack pack;
    pack.charge = ratioOf(a, "now", "full", 0);
    pack.wear = ratioOf(a, "full", "full_design", 1);
    pack.capacityPercent = realIn(a, "capacity", 0, 100);
    const auto level = PowerSupplies::text(a, "capacity_level");
    if (levelRank(level) < 5) pack.level = std::string(level);
    pack.fullMAh = milliAmpHours(a, "full", 1);
    pack.designMAh = milliAmpHours(a, "full_design", 1);
    pack.nowMAh = milliAmpHours(a, "now", 0);
    // A driver that gives `capacity` but no present amount: the charge is that share of full.
    if (const auto percent = pack.percent(); !pack.nowMAh && percent && pack.fullMAh) {
        pack.nowMAh = *pack.fullMAh * *percent / 100.0;
    }
    pack.watts = wattsOf(a);
    if (const auto volts = integerIn(a, "voltage_now", 0, kMaxVoltage)) pack.voltageMV = *volts / 1000;
    pack.currentMA = currentOf(a);
    pack.cycleCount = integerIn(a, "cycle_count", 1, kMaxCycles);
    pack.status = std::string(PowerSupplies::text(a, "status"));
    return pack;
}

BatteryPack BatteryPack::combined(const std::vector<BatteryPack>& packs) {
    if (packs.size() == 1) return packs.front();
    BatteryPack total;
    if (packs.empty()) return total;
    total.charge = summedRatio(packs, &BatteryPack::charge);
    total.wear = summedRatio(packs, &BatteryPack::wear);
    if (!total.charge) total.capacityPercent = meanPercent(packs);
    for (const auto& pack : packs) {
        if (pack.level && (!total.level || levelRank(*pack.level) < levelRank(*total.level))) total.level = pack.level;
        if (!total.voltageMV) total.voltageMV = pack.voltageMV;
        if (pack.cycleCount && (!total.cycleCount || *pack.cycleCount > *total.cycleCount)) {
            total.cycleCount = pack.cycleCount;
        }
    }
    total.nowMAh = sumOf(packs, &BatteryPack::nowMAh);
    total.fullMAh = sumOf(packs, &BatteryPack::fullMAh);
    total.designMAh = sumOf(packs, &BatteryPack::designMAh);
    total.watts = sumOf(packs, &BatteryPack::watts);
    total.currentMA = sumOf(packs, &BatteryPack::currentMA);
    total.status = combinedStatus(packs);
    return total;
}

std::optional<double> BatteryPack::percent() const {
    if (charge) return percentOf(*charge);
    return capacityPercent;
}

std::optional<double> BatteryPack::healthPercent() const {
    if (!wear) return std::nullopt;
    return percentOf(*wear);
}

}  // namespace corvelle
