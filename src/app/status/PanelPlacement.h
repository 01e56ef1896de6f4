#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace corvelle::PanelPlacement {

// Gap between the status item and the panel.
inline constexpr int gap = 4;

// Top-left corner of a panel of `panel` size in Qt's screen coordinates (y grows downwards).
// Under a status item with geometry `icon`: centred under it, `gap` pixels below, then kept
// inside `available` (left and right edges, then the bottom and top edges). Without icon
// geometry (a host that tells none): under the top-right corner of `available`. Without a
// screen the unclamped position (or the origin) is used.
QPoint origin(const std::optional<QRect>& icon, QSize panel, const std::optional<QRect>& available);

}  // namespace corvelle::PanelPlacement
