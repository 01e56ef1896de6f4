#pragma once

#include "model/SystemStats.h"
#include "present/BatteryIcon.h"
#include "present/MenuBarTitle.h"
#include "settings/AppSettings.h"

#include <optional>
#include <string>
#include <string_view>

// The status item's title and icon for a snapshot.
namespace corvelle::StatusItemComposer {

// The parts the title shows, from the title settings; none by default.
struct TitleOptions {
    bool showCPU = false;
    bool showTemp = false;
    bool showBattery = false;
    bool showThermal = false;
    bool showBatteryPercent = false;
};

// The parts the user chose in the title settings.
TitleOptions titleOptions(const AppSettings& settings);

// The chosen parts in that order, each left out while it has no reading, and the guide of
// those parts: each as wide as it can grow (CPU 100.0%, a two-digit temperature, the longest
// thermal label, 100%, a two-digit power, "00 min"), every digit counted as "0".
MenuBarTitle title(const SystemStats& stats, const TitleOptions& options);
// A monitor symbol on a machine without a battery; "battery.unknown" when neither the battery's
// percentage nor its level is known.
BatteryIcon batteryIcon(const SystemStats& stats);

}  // namespace corvelle::StatusItemComposer
