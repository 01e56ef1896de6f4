#include "app/panel/PanelPlacement.h"

#include <algorithm>
#include <cmath>

namespace corvelle::PanelPlacement {

QPoint corner(QSize size, const QRect& available, const QRect& screen, int margin) {
    const bool barAtTheBottomOnly = available.top() <= screen.top() && available.bottom() < screen.bottom();
    const int y = barAtTheBottomOnly ? available.bottom() + 1 - size.height() - margin : available.y() + margin;
    return {available.right() + 1 - size.width() - margin, y};
}

QPoint origin(const std::optional<QRect>& icon, QSize panel, const std::optional<QRect>& available,
              const std::optional<QRect>& screen) {
    const int w = panel.width(), h = panel.height();
    if (!icon || icon->isEmpty()) {
        if (!available) return {0, 0};
        return corner(panel, *available, screen.value_or(*available), gap);
    }
    int x = static_cast<int>(std::lround(icon->x() + icon->width() / 2.0 - w / 2.0));
    int y = icon->y() + icon->height() + gap;
    if (available) {
        // Right edge last, as in min(max(x, left), right - w): a panel wider than the area
        // keeps its right edge on screen.
        x = std::min(std::max(x, available->x()), available->x() + available->width() - w);
        // Bottom edge first, then the top: a click point inside a top bar (all a
        // StatusNotifierItem host may tell) still puts the panel below the bar.
        y = std::max(std::min(y, available->y() + available->height() - h), available->y());
    }
    return {x, y};
}

}  // namespace corvelle::PanelPlacement
