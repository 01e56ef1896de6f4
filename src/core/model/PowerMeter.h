#pragma once

#include <optional>
#include <string_view>

namespace corvelle {

// Where the power figures come from. `locked`: the machine has energy counters, but only a
// privileged reader may read them and nothing reads them for us (the power service is not
// running), so there are no figures; `none`: it has no meter at all. The others measure: the
// counters read directly (`sysfs`), the power service's copy of them (`service`), or the
// processor's own meter of its whole package (`apu`).
enum class PowerMeter { none, locked, sysfs, service, apu };

constexpr bool measures(PowerMeter meter) { return meter != PowerMeter::none && meter != PowerMeter::locked; }

// "none", "locked", "sysfs", "service", "apu".
constexpr std::string_view toRaw(PowerMeter meter) {
    switch (meter) {
        case PowerMeter::none: return "none";
        case PowerMeter::locked: return "locked";
        case PowerMeter::sysfs: return "sysfs";
        case PowerMeter::service: return "service";
        case PowerMeter::apu: break;
    }
    return "apu";
}

constexpr std::optional<PowerMeter> powerMeterFromRaw(std::string_view raw) {
    for (const auto meter : {PowerMeter::none, PowerMeter::locked, PowerMeter::sysfs, PowerMeter::service, PowerMeter::apu}) {
        if (toRaw(meter) == raw) return meter;
    }
    return std::nullopt;
}

}  // namespace corvelle
