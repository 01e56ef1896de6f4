#pragma once

#include "history/BatteryHealthEntry.h"
#include "history/DailySnapshot.h"
#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Battery wear and charging habits from the stored records. Stateless; texts in the language
// in force when called.
namespace corvelle::BatteryHealthPredictor {

// Fits health against cycle count over the readings (oldest first) that say something about
// wear: health below 99.5 % and at least one cycle. Absent with fewer than two such readings
// or when they all share one cycle count.
std::optional<BatteryHealthPrediction> predict(const std::vector<BatteryHealthEntry>& entries);

// Heat and heavy discharge over the last seven readings; nothing with fewer than three.
std::vector<HabitWarning> analyzeHabits(const std::vector<BatteryHealthEntry>& entries);

// Whole calendar days between two "yyyy-MM-dd" keys, as a magnitude; 0 when either is not such a date.
std::int64_t daysBetweenDates(std::string_view a, std::string_view b);

// Grades the most recent daily records (oldest first) on which a battery was sampled; absent
// when there are none.
std::optional<HabitScore> scoreHabits(const std::vector<DailySnapshot>& records);
// Letter grade of an overall habit score: "A+" from 95 down to "F" below 60.
std::string gradeFor(std::int64_t overall);

}  // namespace corvelle::BatteryHealthPredictor
