#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle::TextFile {

// Reads a whole (small, pseudo-)file into `out`, reusing its storage. False when it cannot be
// opened or read.
bool read(const std::filesystem::path& path, std::string& out);

// The file's content with trailing white space removed; absent when unreadable.
std::optional<std::string> readTrimmed(const std::filesystem::path& path);

// The text without leading and trailing blanks, tabs and line breaks.
std::string_view trim(std::string_view text);

// A non-negative decimal integer filling the whole text (surrounding white space allowed).
std::optional<std::uint64_t> parseUnsigned(std::string_view text);
// A signed decimal integer filling the whole text (surrounding white space allowed).
std::optional<std::int64_t> parseSigned(std::string_view text);

// Adds a counter read from a file to a running total; false (total unchanged) when the sum would
// not fit in 64 bits, which no real set of counters reaches.
inline bool addCounter(std::uint64_t& total, std::uint64_t value) {
    if (value > UINT64_MAX - total) return false;
    total += value;
    return true;
}

// The text split at runs of blanks and tabs.
std::vector<std::string_view> fields(std::string_view line);

// Calls fn(line) for every line of text, without the line break.
template <typename Fn>
void forEachLine(std::string_view text, Fn&& fn) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        fn(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace corvelle::TextFile
