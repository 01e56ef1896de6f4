#include "helper/ChargeLimitHelper.h"

#include "linux/TextFile.h"
#include "platform/ChargeLimit.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <optional>

namespace corvelle::ChargeLimitHelper {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStartFile = "charge_control_start_threshold";
constexpr const char* kEndFile = "charge_control_end_threshold";

// A refusal: the exit code and what to tell.
struct Refusal {
    Exit code;
    std::string message;
};

// A whole number of at most three digits; no sign, no blanks.
std::optional<int> percentArgument(const std::string& text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), digit)) return std::nullopt;
    return std::stoi(text);
}

std::optional<Refusal> parseLimit(const std::vector<std::string>& arguments, ChargeLimit& limit) {
    if (arguments.size() != 2 && arguments.size() != 3) {
        return Refusal{badArguments, "usage: corvelle-charge-limit BATTERY [START] END"};
    }
    std::vector<int> values;
    for (auto argument = std::next(arguments.begin()); argument != arguments.end(); ++argument) {
        const auto value = percentArgument(*argument);
        if (!value) return Refusal{badArguments, "'" + *argument + "' is not a whole percentage"};
        values.push_back(*value);
    }
    limit = values.size() == 2 ? ChargeLimit{values.front(), values.back()} : ChargeLimit{std::nullopt, values.back()};
    switch (problemOf(limit)) {
        case ChargeLimitProblem::outOfRange: return Refusal{badArguments, "thresholds go from 1 to 100"};
        case ChargeLimitProblem::startNotBelowEnd:
            return Refusal{badArguments, "the start threshold must be below the end threshold"};
        case ChargeLimitProblem::none: break;
    }
    return std::nullopt;
}

bool isListed(const fs::path& supplies, const std::string& name) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(supplies, error)) {
        if (entry.path().filename() == name) return true;
    }
    return false;
}

// Whether `path` is `folder` or lies below it; both are canonical.
bool isWithin(const fs::path& path, const fs::path& folder) {
    const auto [stop, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return stop == folder.end();
}

// A kernel power supply name ("BAT0", "CMB1", "macsmc-battery"): one path component, no dots
// to start with.
bool isPlainName(const std::string& name) {
    const auto allowed = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               c == ':' || c == '.';
    };
    return !name.empty() && name.size() <= 64 && name.front() != '.' && std::all_of(name.begin(), name.end(), allowed);
}

// The battery's real folder, below <root>/sys/devices.
std::optional<Refusal> resolveBattery(const fs::path& root, const std::string& name, fs::path& folder) {
    const fs::path supplies = root / "sys/class/power_supply";
    if (!isPlainName(name) || !isListed(supplies, name)) {
        return Refusal{badBattery, "'" + name + "' is not a power supply of this machine"};
    }
    if (TextFile::readTrimmed(supplies / name / "type") != "Battery") {
        return Refusal{badBattery, "'" + name + "' is not a battery"};
    }
    std::error_code folderError, devicesError;
    folder = fs::canonical(supplies / name, folderError);
    const fs::path devices = fs::canonical(root / "sys/devices", devicesError);
    if (folderError || devicesError || !isWithin(folder, devices)) return Refusal{badBattery, "'" + name + "' leads outside /sys/devices"};
    return std::nullopt;
}

std::optional<int> currentValue(const fs::path& file) {
    const auto text = TextFile::readTrimmed(file);
    const auto value = text ? TextFile::parseSigned(*text) : std::nullopt;
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
}

// Writes one threshold; the file itself must not be a symbolic link.
std::optional<Refusal> writeValue(const fs::path& file, int value) {
    const std::string text = std::to_string(value) + "\n";
    const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    int cause = errno;
    if (fd >= 0 && ::close(fd) != 0 && written) {
        written = false;
        cause = errno;
    }
    if (written) return std::nullopt;
    return Refusal{writeFailed, "writing " + std::to_string(value) + " to " + file.filename().string() +
                                    " failed: " + std::strerror(cause)};
}

std::optional<Refusal> apply(const std::string& name, const fs::path& folder, const ChargeLimit& limit,
                             std::ostream& out) {
    if (!fs::exists(folder / kEndFile)) return Refusal{unsupported, "'" + name + "' has no " + kEndFile};
    if (limit.start && !fs::exists(folder / kStartFile)) {
        return Refusal{unsupported, "'" + name + "' has no " + kStartFile};
    }
    const ChargeThresholds current{name, currentValue(folder / kStartFile), currentValue(folder / kEndFile)};
    std::vector<std::pair<const char*, int>> writes;
    if (limit.start) writes.emplace_back(kStartFile, *limit.start);
    if (writeEndFirst(current, limit)) {
        writes.emplace(writes.begin(), kEndFile, limit.end);
    } else {
        writes.emplace_back(kEndFile, limit.end);
    }
    for (const auto& [file, value] : writes) {
        if (auto refusal = writeValue(folder / file, value)) return refusal;
        out << name << ": " << file << "=" << value << "\n";
    }
    return std::nullopt;
}

}  // namespace

int run(const std::vector<std::string>& arguments, const std::filesystem::path& root, std::ostream& out,
        std::ostream& err) {
    ChargeLimit limit;
    fs::path folder;
    auto refusal = parseLimit(arguments, limit);
    if (!refusal) refusal = resolveBattery(root, arguments[0], folder);
    if (!refusal) refusal = apply(arguments[0], folder, limit, out);
    if (!refusal) return applied;
    err << "corvelle-charge-limit: " << refusal->message << "\n";
    return refusal->code;
}

}  // namespace corvelle::ChargeLimitHelper
