#include "outbound/UpdateFeed.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace corvelle::UpdateFeed {

std::optional<std::vector<long>> parseVersion(std::string_view text) {
    std::vector<long> numbers;
    while (true) {
        const auto dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 9 || !std::all_of(part.begin(), part.end(), [](char c) {
                return c >= '0' && c <= '9';
            })) {
            return std::nullopt;
        }
        numbers.push_back(std::stol(std::string(part)));
        if (numbers.size() > 4) return std::nullopt;
        if (dot == std::string_view::npos) return numbers;
        text.remove_prefix(dot + 1);
    }
}

int compare(const std::vector<long>& a, const std::vector<long>& b) {
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const long x = i < a.size() ? a[i] : 0, y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<UpdateCheckResult> evaluate(std::string_view feed, std::string_view currentVersion) {
    const auto json = nlohmann::json::parse(feed.begin(), feed.end(), nullptr, false);
    if (json.is_discarded() || !json.is_object() || !json.contains("version") || !json["version"].is_string()) {
        return std::nullopt;
    }
    const auto latestText = json["version"].get<std::string>();
    const auto latest = parseVersion(latestText);
    const auto current = parseVersion(currentVersion);
    if (!latest || !current) return std::nullopt;
    if (compare(*latest, *current) <= 0) return UpdateCheckResult::upToDate();
    auto result = UpdateCheckResult::available(latestText, "");
    // Only a secure web address is ever opened from the feed.
    if (json.contains("url") && json["url"].is_string()) {
        const auto url = json["url"].get<std::string>();
        if (url.rfind("https://", 0) == 0 && url.size() > 8 &&
            url.find_first_of(" \t\r\n\"<>") == std::string::npos) {
            result.downloadUrl = url;
        }
    }
    return result;
}

}  // namespace corvelle::UpdateFeed
