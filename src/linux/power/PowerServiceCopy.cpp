#include "linux/power/PowerServiceCopy.h"

#include "linux/TextFile.h"

#include <charconv>
#include <cstdio>

namespace corvelle::PowerServiceCopy {
namespace {

constexpr std::string_view kHeader = "corvelle-power 1";

// Seconds on the boot clock: from 0 to a thousand years.
std::optional<double> seconds(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value >= 0 && value < 3.2e10)) return std::nullopt;
    return value;
}

std::optional<RaplDomain> domain(std::string_view line) {
    const auto fields = TextFile::fields(line);
    if (fields.size() != 4 || !RaplDomain::isZone(fields[0]) || !RaplDomain::isName(fields[1])) return std::nullopt;
    const auto range = TextFile::parseUnsigned(fields[3]);
    const auto counter = range ? RaplDomain::counterValue(fields[2], *range) : std::nullopt;
    if (!counter) return std::nullopt;
    return RaplDomain{std::string(fields[0]), std::string(fields[1]), counter, *range};
}

}  // namespace

std::string compose(double time, const std::vector<RaplDomain>& domains) {
    char line[400];  // room for any double
    std::snprintf(line, sizeof line, "%s\ntime %.6f\n", kHeader.data(), time);
    std::string text = line;
    for (const auto& d : domains) {
        if (!d.counter) continue;
        text += d.zone + ' ' + d.name + ' ' + std::to_string(*d.counter) + ' ' + std::to_string(d.range) + '\n';
    }
    return text;
}

std::optional<Publication> parse(std::string_view text) {
    Publication publication;
    int number = 0;
    bool valid = true;
    TextFile::forEachLine(text, [&](std::string_view line) {
        ++number;
        if (!valid || (line.empty() && number > 2)) return;
        if (number == 1) {
            valid = line == kHeader;
        } else if (number == 2) {
            const auto time = line.starts_with("time ") ? seconds(line.substr(5)) : std::nullopt;
            valid = time.has_value();
            publication.time = time.value_or(0);
        } else if (auto d = domain(line)) {
            publication.domains.push_back(std::move(*d));
        } else {
            valid = false;
        }
    });
    if (!valid || number < 2) return std::nullopt;
    return publication;
}

}  // namespace corvelle::PowerServiceCopy
