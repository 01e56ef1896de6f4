#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace corvelle::test {

// Counts the pixels of `image` (device pixels) inside `area` whose colour is close to `color`
// and mostly opaque.
inline int countNear(const QImage& image, const QColor& color, QRect area = {}, int tolerance = 40) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (area.isNull()) area = argb.rect();
    area = area.intersected(argb.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = argb.pixelColor(x, y);
            if (pixel.alpha() < 160) continue;
            if (std::abs(pixel.red() - color.red()) <= tolerance && std::abs(pixel.green() - color.green()) <= tolerance &&
                std::abs(pixel.blue() - color.blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace corvelle::test
