#include "model/ProfileClassification.h"

#include "util/JsonFields.h"

namespace corvelle {
namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("primary", &ProfileClassification::primary),
    JsonFields::field("primaryScore", &ProfileClassification::primaryScore),
    JsonFields::dateField("classifiedAt", &ProfileClassification::classifiedAt),
    JsonFields::field("daysAnalyzed", &ProfileClassification::daysAnalyzed),
    JsonFields::field("secondary", &ProfileClassification::secondary),
    JsonFields::field("secondaryScore", &ProfileClassification::secondaryScore));

}  // namespace

void to_json(nlohmann::json& json, const ProfileClassification& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, ProfileClassification& value) {
    JsonFields::decode(json, value, kFields);
    if (value.secondary.has_value() != value.secondaryScore.has_value()) throw JsonFields::ShapeError("secondary");
}

}  // namespace corvelle
