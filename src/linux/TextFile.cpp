#include "linux/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>

namespace corvelle::TextFile {
namespace {

constexpr size_t kMaxSize = 16 * 1024 * 1024;

template <typename T>
std::optional<T> parseNumber(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') return std::nullopt;
    T value{};
    const auto* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\n\r");
    return text.substr(first, last - first + 1);
}

bool read(const std::filesystem::path& path, std::string& out) {
    out.clear();
    // Non-blocking, so that a named pipe where a file should be gives no data instead of a hang.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    bool ok = true;
    char chunk[8192];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0 || out.size() + static_cast<size_t>(got) > kMaxSize) {
            ok = false;
            break;
        }
        out.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
    return ok;
}

std::optional<std::string> readTrimmed(const std::filesystem::path& path) {
    std::string content;
    if (!read(path, content)) return std::nullopt;
    return std::string(trim(content));
}

std::optional<std::uint64_t> parseUnsigned(std::string_view text) { return parseNumber<std::uint64_t>(text); }
std::optional<std::int64_t> parseSigned(std::string_view text) { return parseNumber<std::int64_t>(text); }

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> result;
    size_t at = 0;
    while (at < line.size()) {
        const auto start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        const auto end = line.find_first_of(" \t", start);
        result.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        at = end;
    }
    return result;
}

}  // namespace corvelle::TextFile
