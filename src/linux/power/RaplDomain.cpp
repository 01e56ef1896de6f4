#include "linux/power/RaplDomain.h"

#include "linux/TextFile.h"

#include <algorithm>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPowercap = "sys/class/powercap";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool RaplDomain::isZone(std::string_view text) {
    for (const std::string_view prefix : {"intel-rapl-mmio:", "intel-rapl:"}) {
        if (!text.starts_with(prefix)) continue;
        // One or two numbers joined by ':'.
        text.remove_prefix(prefix.size());
        const auto separator = text.find(':');
        const auto number = [](std::string_view part) {
            return !part.empty() && part.size() <= 4 && std::all_of(part.begin(), part.end(), isDigit);
        };
        if (separator == std::string_view::npos) return number(text);
        return number(text.substr(0, separator)) && number(text.substr(separator + 1));
    }
    return false;
}

bool RaplDomain::isName(std::string_view text) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '-' || c == '_';
    };
    return !text.empty() && text.size() <= 32 && std::all_of(text.begin(), text.end(), allowed);
}

std::optional<std::uint64_t> RaplDomain::counterValue(std::string_view text, std::uint64_t range) {
    const auto value = TextFile::parseUnsigned(text);
    if (!value || (range != 0 && *value > range)) return std::nullopt;
    return value;
}

std::vector<RaplDomain> RaplDomain::list(const fs::path& root) {
    std::vector<RaplDomain> domains;
    std::error_code error;
    std::string text;
    for (const auto& entry : fs::directory_iterator(root / kPowercap, error)) {
        const auto zone = entry.path().filename().string();
        if (!isZone(zone)) continue;
        auto name = TextFile::readTrimmed(entry.path() / "name");
        if (!name || !isName(*name)) continue;
        RaplDomain domain{zone, std::move(*name), std::nullopt, 0};
        if (TextFile::read(entry.path() / "max_energy_range_uj", text)) {
            domain.range = TextFile::parseUnsigned(text).value_or(0);
        }
        if (TextFile::read(entry.path() / "energy_uj", text)) domain.counter = counterValue(text, domain.range);
        domains.push_back(std::move(domain));
    }
    std::sort(domains.begin(), domains.end(), [](const auto& a, const auto& b) { return a.zone < b.zone; });
    return domains;
}

}  // namespace corvelle
