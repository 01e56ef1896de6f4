#pragma once

#include "model/HabitSeverity.h"

#include <string>

namespace corvelle {

// A habit seen in the recent battery readings that ages the battery; identified by id.
struct HabitWarning {
    std::string id;
    std::string icon;  // symbol name
    std::string title;   // localised when computed
    std::string detail;  // localised when computed
    HabitSeverity severity = HabitSeverity::info;

    bool operator==(const HabitWarning&) const = default;
};

}  // namespace corvelle
