#pragma once

#include "present/BatteryIcon.h"

#include <QImage>

namespace corvelle::BatteryIconPainter {

// The status-item picture of the core's battery description, `height` logical pixels tall:
// the battery (outline in the secondary colour, charge level and bolt in the state colour),
// and, while plugged in and not charging, a blue plug badge to its right, one pixel apart.
QImage render(const BatteryIcon& icon, int height, bool dark, qreal devicePixelRatio = 1.0);

// For a tray slot: the largest picture that fits a transparent square of `side` pixels, centred
// in it, in colours that read on light and dark bars alike.
QImage trayPicture(const BatteryIcon& icon, int side);

// The battery shown before the first reading and on machines without a battery: full, in the
// secondary colour.
BatteryIcon placeholderIcon();
QImage placeholder(int height, bool dark, qreal devicePixelRatio = 1.0);

// Width of the battery part alone for a given height.
int batteryWidth(int height);

}  // namespace corvelle::BatteryIconPainter
