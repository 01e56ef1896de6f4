#include "alerts/BaselinesFile.h"

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

std::optional<std::int64_t> count(const nlohmann::json& value) {
    if (value.is_number_unsigned()) {
        if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
        return value.get<std::int64_t>();
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    return std::nullopt;
}

// A baseline entry; absent when a key is missing, of the wrong type or out of range (a
// negative count or average would poison every later average).
std::optional<BaselinesFile::Baseline> decodeBaseline(const nlohmann::json& value) {
    if (!value.is_object() || !value.contains("avgCPU") || !value.contains("sampleCount") ||
        !value.contains("lastSeen")) {
        return std::nullopt;
    }
    const auto avgCPU = finiteNumber(value["avgCPU"]);
    const auto sampleCount = count(value["sampleCount"]);
    const auto lastSeen = finiteNumber(value["lastSeen"]);
    if (!avgCPU || *avgCPU < 0 || !sampleCount || *sampleCount < 0 || !lastSeen) return std::nullopt;
    return BaselinesFile::Baseline{*avgCPU, *sampleCount, *lastSeen};
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
        baselines[name] = {
            {"avgCPU", baseline.avgCPU}, {"sampleCount", baseline.sampleCount}, {"lastSeen", baseline.lastSeen}};
    }
    nlohmann::json state = {{"processBaselines", std::move(baselines)}};
    if (systemWattsEMA) state["systemWattsEMA"] = *systemWattsEMA;
    return JsonText::encode(state);
}

}  // namespace corvelle
