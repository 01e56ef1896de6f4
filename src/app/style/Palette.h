#pragma once

#include "util/SystemColor.h"

#include <QColor>

class QPalette;

namespace corvelle::Palette {

// True when the palette's window background is dark.
bool isDark(const QPalette& palette);
// The application's current theme.
bool isDark();

// The named system colour for a light or a dark theme.
QColor color(SystemColor name, bool dark);
// The named system colour for the application's current theme.
QColor color(SystemColor name);
// The accent colour of active controls.
QColor accent();

}  // namespace corvelle::Palette
