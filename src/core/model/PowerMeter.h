#pragma once

#include "util/EnumNames.h"

#include <array>
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

inline constexpr std::array<std::string_view, 5> powerMeterNames{"none", "locked", "sysfs", "service", "apu"};

constexpr std::string_view toRaw(PowerMeter meter) { return rawName(meter, powerMeterNames); }

constexpr std::optional<PowerMeter> powerMeterFromRaw(std::string_view raw) {
    return caseNamed<PowerMeter>(raw, powerMeterNames);
}

}  // namespace corvelle
