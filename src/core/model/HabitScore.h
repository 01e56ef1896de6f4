#pragma once

#include "model/SubScore.h"

#include <cstdint>
#include <string>

namespace corvelle {

// How kind recent use has been to the battery: four sub-scores of 25 points and a letter grade.
struct HabitScore {
    std::int64_t overall = 0;  // 0 to 100
    std::string grade;         // "A+" to "F"
    SubScore charging;
    SubScore thermal;
    SubScore discharge;
    SubScore pluggedBalance;

    bool operator==(const HabitScore&) const = default;
};

}  // namespace corvelle
