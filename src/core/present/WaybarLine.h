#pragma once

#include "model/SystemStats.h"
#include "present/MenuBarTitle.h"

#include <string>

// One line of a Waybar custom module's JSON ("return-type": "json"): `text` is the status title,
// `tooltip` a few lines of figures (each left out while it has no reading), `class` the
// thermal level's case name, and `percentage` the battery percent, only when there is a battery.
namespace corvelle::WaybarLine {

std::string compose(const SystemStats& stats, const MenuBarTitle& title);
// The title without the lead space that pads it in the tray; also the plain --watch line.
std::string plainTitle(const MenuBarTitle& title);

}  // namespace corvelle::WaybarLine
