#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace corvelle {

// Turns the symbol names the views use ("flame.fill", "battery.75percent") into pictures of
// any size and colour: glyphs of the Material Design icon font where it has one, drawn shapes
// for the rest. An unknown name gives a neutral placeholder.
class SymbolIcon {
public:
    // A battery symbol's look: "battery.<0|25|50|75|100>[percent][.bolt]".
    struct Battery {
        double level = 0;  // filled fraction of the interior
        bool bolt = false;
        bool unknown = false;  // "battery.unknown": an empty outline with a question mark
    };
    static std::optional<Battery> batterySymbol(std::string_view name);

    // Paints the symbol centred in `box`, as large as fits. Needs a painter on an image or
    // pixmap with an alpha channel (badges are cut out of the picture under them).
    static void paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color);
    // The symbol in a square of `size` logical pixels.
    static QPixmap pixmap(std::string_view name, int size, const QColor& color, qreal devicePixelRatio = 1.0);
    // An icon painted afresh at each size and pixel ratio it is drawn at.
    static QIcon icon(std::string_view name, const QColor& color);

    static bool isKnown(std::string_view name);
    // Every name with a picture of its own, for tests and previews.
    static std::vector<std::string> knownNames();
};

}  // namespace corvelle
