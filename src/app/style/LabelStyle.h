#pragma once

#include "util/SystemColor.h"

#include <string_view>

class QLabel;

// The few text styles of the panel's cards, so that every card reads the same.
namespace corvelle::LabelStyle {

enum class Role {
    title,     // a card's title: bold
    body,      // ordinary text
    caption,   // small secondary text
    value,     // a card's main figure: large, bold
    figure,    // a smaller figure: bold
};

// Sets the label's font for the role and its colour: `color`, or the role's own (secondary for
// captions, the ordinary text colour otherwise).
void apply(QLabel* label, Role role);
void apply(QLabel* label, Role role, SystemColor color);
// Shows a symbol of `size` logical pixels in `color`, sharp at the label's pixel ratio.
void showSymbol(QLabel* label, std::string_view symbol, int size, SystemColor color);

}  // namespace corvelle::LabelStyle
