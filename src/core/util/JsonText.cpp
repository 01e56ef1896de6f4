#include "util/JsonText.h"

#include <cmath>

namespace corvelle::JsonText {
namespace {

template <typename Json>
bool allFinite(const Json& value) {
    if (value.is_number_float()) return std::isfinite(value.template get<double>());
    if (value.is_structured()) {
        for (const auto& element : value) {
            if (!allFinite(element)) return false;
        }
    }
    return true;
}

template <typename Json>
std::optional<std::string> encodeFinite(const Json& value) {
    if (!allFinite(value)) return std::nullopt;
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::optional<std::string> encode(const nlohmann::json& value) { return encodeFinite(value); }
std::optional<std::string> encodeOrdered(const nlohmann::ordered_json& value) { return encodeFinite(value); }

std::optional<nlohmann::json> decode(std::string_view text) {
    auto value = nlohmann::json::parse(text, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

}  // namespace corvelle::JsonText
