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
// geometry (a host that tells none): in the corner of `available` by the bar (see corner), on
// `screen`, which defaults to the area itself. Without a screen the unclamped position (or the
// origin) is used.
QPoint origin(const std::optional<QRect>& icon, QSize panel, const std::optional<QRect>& available,
              const std::optional<QRect>& screen = std::nullopt);

// Top-left corner of a window of `size`, `margin` pixels inside the right corner of `available`
// next to the desktop's bar: the bottom-right one when the bar is at the bottom only (the area
// reaches the top of `screen` but not its bottom), the top-right one otherwise.
QPoint corner(QSize size, const QRect& available, const QRect& screen, int margin);

}  // namespace corvelle::PanelPlacement
