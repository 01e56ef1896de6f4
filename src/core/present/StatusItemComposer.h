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

// The chosen parts in that order, each left out while it has no reading.
MenuBarTitle title(const SystemStats& stats, const TitleOptions& options);
// The widest text of the same shape as a title (every digit a "0"), for a desktop bar that
// sizes the title by it so that the bar does not move as the figures change.
std::string labelGuide(std::string_view title);
// A monitor symbol on a machine without a battery; "battery.unknown" when neither the battery's
// percentage nor its level is known.
BatteryIcon batteryIcon(const SystemStats& stats);

}  // namespace corvelle::StatusItemComposer
