#pragma once

#include <cstdint>
#include <string>

namespace corvelle {

// One angle of the habit score.
struct SubScore {
    std::int64_t score = 0;
    std::int64_t maxScore = 25;
    // Fixed English label, also the key of its texts: "Charging", "Thermal", "Discharge", "Plug Balance".
    std::string label;
    // Reason code such as "frequent_100"; "good" when no finding applies.
    std::string reason;

    // score / maxScore, 0 when maxScore < 1.
    double fraction() const { return maxScore < 1 ? 0.0 : static_cast<double>(score) / static_cast<double>(maxScore); }
    // At least three quarters of the points.
    bool isGood() const { return maxScore >= 1 && fraction() >= 0.75; }

    bool operator==(const SubScore&) const = default;
};

}  // namespace corvelle
