#pragma once

#include "present/BatteryIcon.h"

#include <QString>

#include <vector>

namespace corvelle::ThemedBatteryIcon {

// The square sizes the icon theme holds, in pixels.
inline constexpr int sizes[] = {16, 22, 24, 32, 48};

// The icon theme's name for a status-item battery picture, for hosts that draw the item from
// the theme: "io.mirelo.corvelle-battery-" with the fill step, then "-charging", "-plugged" or
// the charge colour ("-red", "-orange", "-green"); "io.mirelo.corvelle-battery-unknown" for the
// battery shown without a reading. A computer without a battery gets the symbolic
// "io.mirelo.corvelle-no-battery-symbolic", which hosts draw in their bar's own colour.
QString name(const BatteryIcon& icon);

// One picture for each name the status item can give, as the icon theme installs them.
std::vector<BatteryIcon> every();

// A symbolic icon: one scalable picture that the host recolours, not a picture per size.
bool isSymbolic(const QString& name);

// Where a picture of `name` and `side` pixels goes under an icon theme's folder; a symbolic
// icon's one scalable picture for every side.
QString relativePath(const QString& name, int side);

// The folder to give hosts as the icon theme path: the theme written beside a binary run from
// the build tree; empty for an installed one, whose icons are in the system's hicolor theme.
QString themePathBeside(const QString& applicationDir);

// True when the theme's icons can be found (beside the binary or in the system's data folders):
// only then is the name worth sending.
bool installed(const QString& themePath);

// The picture as a GIcon string: the file in the theme beside the binary, or else the name of
// the installed theme's icon; empty when the theme is not there.
QString iconString(const BatteryIcon& icon, const QString& themePath);

}  // namespace corvelle::ThemedBatteryIcon
