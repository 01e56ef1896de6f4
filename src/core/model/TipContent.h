#pragma once

#include <string>

namespace corvelle {

// The localised heading and body of one tip.
struct TipContent {
    std::string title;
    std::string detail;
    bool operator==(const TipContent&) const = default;
};

}  // namespace corvelle
