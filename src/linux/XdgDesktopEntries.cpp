#include "linux/XdgDesktopEntries.h"

#include "linux/TextFile.h"
#include "util/Utf8.h"

#include <array>

namespace corvelle {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr size_t kMostIdLength = 255;

std::string unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's': out += ' '; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            default: out += value[i]; break;
        }
    }
    return out;
}

// A desktop id names a file in the folder, nothing above or below it.
bool isPlainId(std::string_view id) {
    return !id.empty() && id.size() <= kMostIdLength && id.find('/') == std::string_view::npos && id != "." &&
           id != "..";
}

}  // namespace

XdgDesktopEntries::XdgDesktopEntries(std::filesystem::path root, std::vector<std::filesystem::path> dataDirs)
    : root_(std::move(root)), dataDirs_(std::move(dataDirs)) {}

std::optional<std::string> XdgDesktopEntries::applicationName(std::string_view desktopId,
                                                              std::string_view language) {
    if (!isPlainId(desktopId)) return std::nullopt;
    const std::string file = std::string(desktopId) + ".desktop";
    for (const auto& dir : dataDirs_) {
        if (TextFile::read(root_ / dir.relative_path() / "applications" / file, buffer_)) {
            return parseName(buffer_, language);
        }
    }
    return std::nullopt;
}

std::optional<std::string> XdgDesktopEntries::parseName(std::string_view text, std::string_view language) {
    std::string country(language.substr(0, language.find_first_of(".@")));
    if (const auto dash = country.find('-'); dash != std::string::npos) country[dash] = '_';
    const std::string bare = country.substr(0, country.find('_'));
    // Best match so far: 0 the untranslated name, 1 the bare language, 2 language and country.
    std::array<std::optional<std::string_view>, 3> found;
    bool inGroup = false;
    TextFile::forEachLine(text, [&](std::string_view line) {
        line = TextFile::trim(line);
        if (line.starts_with('[')) {
            inGroup = line == kGroup;
            return;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) return;
        const auto key = TextFile::trim(line.substr(0, equals));
        const auto value = TextFile::trim(line.substr(equals + 1));
        if (key == "Name") found[0] = found[0].value_or(value);
        if (!bare.empty() && key == "Name[" + bare + "]") found[1] = found[1].value_or(value);
        if (country != bare && key == "Name[" + country + "]") found[2] = found[2].value_or(value);
    });
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        // Names end up in JSON and on screen: damaged bytes become U+FFFD.
        if (*it && !(*it)->empty()) return Utf8::repaired(unescaped(**it));
    }
    return std::nullopt;
}

}  // namespace corvelle
