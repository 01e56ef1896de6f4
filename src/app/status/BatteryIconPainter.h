#pragma once

#include "monitor/BatteryIcon.h"

#include <QImage>

namespace corvelle::BatteryIconPainter {

// The status-item picture of the core's battery description, `height` logical pixels tall:
// the battery (outline in the secondary colour, charge level and bolt in the state colour),
// and, while plugged in and not charging, a blue plug badge to its right, one pixel apart.
QImage render(const BatteryIcon& icon, int height, bool dark, qreal devicePixelRatio = 1.0);

// The picture shown before the first reading and on machines without a battery.
QImage placeholder(int height, bool dark, qreal devicePixelRatio = 1.0);

// Width of the battery part alone for a given height.
int batteryWidth(int height);

}  // namespace corvelle::BatteryIconPainter
