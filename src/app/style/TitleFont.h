#pragma once

#include "present/MenuBarTitle.h"

#include <QFont>

namespace corvelle::TitleFont {

// True when the ten digits of `font` are all drawn equally wide.
bool hasEqualDigits(const QFont& font);

// The status-item title's font: the application's font at its standard size in the title's
// weight. When the title asks for equal-width digits and that font's digits differ in width,
// the system's fixed-pitch font takes its place, so changing figures never move the text.
QFont make(const MenuBarTitle::Font& font);

}  // namespace corvelle::TitleFont
