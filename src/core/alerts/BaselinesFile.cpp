#include "alerts/BaselinesFile.h"

#include "util/JsonFields.h"
#include "util/JsonText.h"

#include <cmath>

namespace corvelle {
namespace {

std::optional<double> finiteNumber(const nlohmann::json& value) {
    if (!value.is_number()) return std::nullopt;
    const auto number = value.get<double>();
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

// The stored keys of a baseline entry, for both directions.
constexpr auto kBaselineFields = std::make_tuple(JsonFields::field("avgCPU", &BaselinesFile::Baseline::avgCPU),
                                                 JsonFields::field("sampleCount", &BaselinesFile::Baseline::sampleCount),
                                                 JsonFields::field("lastSeen", &BaselinesFile::Baseline::lastSeen));

// A baseline entry; absent when a key is missing, of the wrong type or out of range (a
// negative count or average would poison every later average).
std::optional<BaselinesFile::Baseline> decodeBaseline(const nlohmann::json& value) {
    BaselinesFile::Baseline baseline;
    try {
        JsonFields::decode(value, baseline, kBaselineFields);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!(baseline.avgCPU >= 0) || baseline.sampleCount < 0 || !std::isfinite(baseline.avgCPU) ||
        !std::isfinite(baseline.lastSeen)) {
        return std::nullopt;
    }
    return baseline;
}

}  // namespace

std::optional<BaselinesFile> BaselinesFile::decode(std::string_view text) {
    const auto json = JsonText::decode(text);
    if (!json) return std::nullopt;
    return decodeValue(*json);
}

std::optional<BaselinesFile> BaselinesFile::decodeValue(const nlohmann::json& json) {
    if (!json.is_object() || !json.contains("processBaselines") || !json["processBaselines"].is_object()) {
        return std::nullopt;
    }
    BaselinesFile file;
    for (const auto& [name, value] : json["processBaselines"].items()) {
        auto baseline = decodeBaseline(value);
        if (!baseline) return std::nullopt;
        file.processBaselines.emplace(name, *baseline);
    }
    if (json.contains("systemWattsEMA") && !json["systemWattsEMA"].is_null()) {
        file.systemWattsEMA = finiteNumber(json["systemWattsEMA"]);
        if (!file.systemWattsEMA) return std::nullopt;
    }
    return file;
}

std::optional<std::string> BaselinesFile::encode() const {
    auto baselines = nlohmann::json::object();
    for (const auto& [name, baseline] : processBaselines) {
        JsonFields::encode(baselines[name], baseline, kBaselineFields);
    }
    nlohmann::json state = {{"processBaselines", std::move(baselines)}};
    if (systemWattsEMA) state["systemWattsEMA"] = *systemWattsEMA;
    return JsonText::encode(state);
}

}  // namespace corvelle
