#include "linux/LinuxSystemInfo.h"

#include "linux/TextFile.h"

namespace corvelle {
namespace {

// A shell-style value: '...' is literal; "..." may escape \" \\ \$ and \` with a backslash.
std::string unquote(std::string_view value) {
    if (value.size() < 2 || value.front() != value.back() || (value.front() != '"' && value.front() != '\'')) {
        return std::string(value);
    }
    const bool escapes = value.front() == '"';
    value = value.substr(1, value.size() - 2);
    std::string result;
    for (size_t i = 0; i < value.size(); ++i) {
        if (escapes && value[i] == '\\' && i + 1 < value.size() &&
            std::string_view("\"\\$`").find(value[i + 1]) != std::string_view::npos) {
            ++i;
        }
        result += value[i];
    }
    return result;
}

}  // namespace

LinuxSystemInfo::LinuxSystemInfo(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<std::string> LinuxSystemInfo::readNonEmpty(const char* relative) const {
    std::string content;
    if (!TextFile::read(root_ / relative, content)) return std::nullopt;
    // Device-tree strings end with a NUL.
    auto text = TextFile::trim(std::string_view(content).substr(0, content.find('\0')));
    if (text.empty()) return std::nullopt;
    return std::string(text);
}

std::string LinuxSystemInfo::machineModel() const {
    if (auto model = readNonEmpty("sys/class/dmi/id/product_name")) return *model;
    return readNonEmpty("proc/device-tree/model").value_or("");
}

std::string LinuxSystemInfo::osVersion() const {
    std::optional<std::string> name;
    for (const char* file : {"etc/os-release", "usr/lib/os-release"}) {
        if (auto text = readNonEmpty(file)) name = prettyName(*text);
        if (name) break;
    }
    const auto kernel = readNonEmpty("proc/sys/kernel/osrelease");
    return name.value_or("Linux") + (kernel ? " (kernel " + *kernel + ")" : "");
}

std::optional<std::string> LinuxSystemInfo::machineId() const {
    for (const char* file : {"etc/machine-id", "var/lib/dbus/machine-id"}) {
        // "uninitialized" and empty files stand for an id the first boot has yet to write.
        const auto id = readNonEmpty(file);
        if (id && id->size() == 32 && id->find_first_not_of("0123456789abcdef") == std::string::npos) return id;
    }
    return std::nullopt;
}

std::optional<std::string> LinuxSystemInfo::prettyName(std::string_view osRelease) {
    std::optional<std::string> result;
    TextFile::forEachLine(osRelease, [&](std::string_view line) {
        constexpr std::string_view key = "PRETTY_NAME=";
        line = TextFile::trim(line);
        if (line.starts_with(key)) result = unquote(TextFile::trim(line.substr(key.size())));
    });
    if (result && result->empty()) return std::nullopt;
    return result;
}

}  // namespace corvelle
