#pragma once

#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "util/RawValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plain-language facts about this machine, the most striking first. Stateless; texts in the
// current language; the same inputs always give the same facts.
namespace corvelle::DidYouKnowEngine {

// A striking fact about this machine; identified by id.
struct Fact {
    // Raw values are the display names: "Performance", "Power & Battery", "Temperature", "System".
    enum class Category { performance, power, temperature, system };

    std::string id;
    std::string icon;  // symbol name
    std::string text;  // localised
    Category category = Category::performance;

    bool operator==(const Fact&) const = default;
};

// At most limit facts. The prediction is accepted for symmetry with the tips and not used.
std::vector<Fact> generate(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                           const std::optional<BatteryHealthPrediction>& prediction,
                           const std::optional<HabitScore>& habitScore, std::size_t limit);

}  // namespace corvelle::DidYouKnowEngine

namespace corvelle {

std::string_view toRaw(DidYouKnowEngine::Fact::Category category);
template <>
std::optional<DidYouKnowEngine::Fact::Category> fromRaw<DidYouKnowEngine::Fact::Category>(std::string_view raw);

}  // namespace corvelle
