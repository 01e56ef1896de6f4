#pragma once

#include "util/RawValue.h"

#include <string>
#include <string_view>

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

}  // namespace corvelle::DidYouKnowEngine

namespace corvelle {

std::string_view toRaw(DidYouKnowEngine::Fact::Category category);
template <>
std::optional<DidYouKnowEngine::Fact::Category> fromRaw<DidYouKnowEngine::Fact::Category>(std::string_view raw);

}  // namespace corvelle
