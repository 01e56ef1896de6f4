#include "util/DataFile.h"

#include "util/JsonText.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace corvelle {
namespace {

// The schema version of a file written with one (an object with an integer schemaVersion).
std::optional<std::int64_t> versionOf(const nlohmann::json& json) {
    if (!json.is_object()) return std::nullopt;
    const auto found = json.find("schemaVersion");
    if (found == json.end() || !found->is_number_integer()) return std::nullopt;
    return found->get<std::int64_t>();
}

}  // namespace

DataFile::DataFile(DataFolder folder, std::filesystem::path path) : folder_(std::move(folder)), path_(std::move(path)) {}

std::optional<nlohmann::json> DataFile::load(double now) {
    keep_ = false;
    folder_.removeLeftovers(path_);
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path_, error);
    if (!std::filesystem::exists(status)) return std::nullopt;
    if (!std::filesystem::is_regular_file(std::filesystem::status(path_, error))) {
        moveAside("is not a regular file", now);
        return std::nullopt;
    }
    if (std::filesystem::file_size(path_, error) > maxBytes || error) {
        moveAside(error ? "cannot be read" : "is larger than 16 MiB", now);
        return std::nullopt;
    }
    const auto text = AtomicFile::read(path_);
    auto json = text ? JsonText::decode(*text) : std::nullopt;
    if (!json) {
        moveAside(text ? "is damaged" : "cannot be read", now);
        return std::nullopt;
    }
    if (const auto version = versionOf(*json); version && *version > schemaVersion) {
        keep_ = true;
        std::fprintf(stderr,
                     "corvelle: %s was written by a newer Corvelle (schema %lld); it is read as far as it can be "
                     "and nothing is saved over it\n",
                     path_.c_str(), static_cast<long long>(*version));
    }
    return json;
}

void DataFile::reject(double now) {
    if (!keep_) moveAside("is damaged", now);
}

void DataFile::dropRecords(const std::string& dropped, std::size_t kept, double now) {
    if (keep_) return;
    note("holds " + dropped + "; the " + std::to_string(kept) + " others are kept");
    moveAside("is partly damaged", now);
}

void DataFile::note(const std::string& what) const { std::fprintf(stderr, "corvelle: %s %s\n", path_.c_str(), what.c_str()); }

void DataFile::moveAside(const char* reason, double now) {
    // A read-only folder (a process that only looks) leaves the file where it is and writes nothing.
    if (!folder_.writable()) return;
    if (!AtomicFile::moveAsideCorrupt(path_, now, reason)) keep_ = true;
}

AtomicFile::WriteResult DataFile::save(const std::optional<std::string>& text) {
    if (keep_) return {ECANCELED};
    const auto result = text ? folder_.write(path_, *text) : AtomicFile::WriteResult{EDOM};
    if (folder_.writable()) saveLog_.record(path_, result.error);
    return result;
}

}  // namespace corvelle
