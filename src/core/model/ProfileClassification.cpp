#include "model/ProfileClassification.h"

#include "util/Iso8601.h"
#include "util/JsonFields.h"

namespace corvelle {
namespace {

UsageProfile profileNamed(const nlohmann::json& json, const char* key) {
    const auto profile = fromRaw<UsageProfile>(JsonFields::text(json, key));
    if (!profile) throw JsonFields::ShapeError(key);
    return *profile;
}

}  // namespace

void to_json(nlohmann::json& json, const ProfileClassification& value) {
    json = {{"primary", toRaw(value.primary)},
            {"primaryScore", value.primaryScore},
            {"classifiedAt", Iso8601::format(value.classifiedAt)},
            {"daysAnalyzed", value.daysAnalyzed}};
    if (value.secondary) json["secondary"] = toRaw(*value.secondary);
    if (value.secondaryScore) json["secondaryScore"] = *value.secondaryScore;
}

void from_json(const nlohmann::json& json, ProfileClassification& value) {
    using namespace JsonFields;
    value.primary = profileNamed(json, "primary");
    value.primaryScore = number(json, "primaryScore");
    value.classifiedAt = date(json, "classifiedAt");
    value.daysAnalyzed = integer(json, "daysAnalyzed");
    const bool hasSecondary = json.contains("secondary");
    if (hasSecondary != json.contains("secondaryScore")) throw ShapeError("secondary");
    value.secondary = hasSecondary ? std::optional(profileNamed(json, "secondary")) : std::nullopt;
    value.secondaryScore = hasSecondary ? std::optional(number(json, "secondaryScore")) : std::nullopt;
}

}  // namespace corvelle
