#pragma once

#include <string>

namespace corvelle {

// The status-item title: its text and the one font it is drawn in.
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
    bool operator==(const MenuBarTitle&) const = default;
};

}  // namespace corvelle
