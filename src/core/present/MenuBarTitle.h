#pragma once

#include <string>

namespace corvelle {

// The status-item title: its text, the one font it is drawn in, and its guide: a text of the
// same parts as wide as the widest those parts can be, for a bar that sizes the title by it so
// that the bar does not move as the figures change.
struct MenuBarTitle {
    enum class Weight { regular, medium, semibold };
    struct Font {
        bool monospacedDigits = true;
        bool standardSize = true;  // the system's standard font size
        Weight weight = Weight::regular;
        bool operator==(const Font&) const = default;
    };

    std::string text;
    Font font;
    std::string guide;
    bool operator==(const MenuBarTitle&) const = default;
};

}  // namespace corvelle
