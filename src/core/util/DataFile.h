#pragma once

#include "util/AtomicFile.h"
#include "util/DataFolder.h"
#include "util/SaveLog.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace corvelle {

// One of the app's data files and the one rule they all follow. A file that cannot be read, is
// no regular file (a folder), is larger than maxBytes or does not decode is moved aside as
// NAME.corrupt-<unix seconds>.json, said on stderr with both names; it is never overwritten in
// place, and when it cannot be moved nothing is saved over it. A file of a newer version (a
// top-level schemaVersion above ours) is read if it can be, kept as it is, and never saved over.
class DataFile {
public:
    // Far above what 90 days of records or a month of process baselines come to.
    static constexpr std::uintmax_t maxBytes = 16u << 20;
    static constexpr std::int64_t schemaVersion = 1;

    DataFile(DataFolder folder, std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // The file's JSON; absent when there is none or it is damaged (then moved aside).
    std::optional<nlohmann::json> load(double now);
    // The JSON that load() gave does not decode: the file goes aside.
    void reject(double now);
    // Some records of the file were left out (`dropped` says which, as "2 damaged records"), and
    // the `kept` others are kept: the original goes aside for inspection and the kept records are
    // saved in its place.
    void dropRecords(const std::string& dropped, std::size_t kept, double now);
    // Says on stderr something about the file that the user may want to know: "corvelle: PATH what".
    void note(const std::string& what) const;
    // Nothing may be saved over the file: it is newer than us, or damaged and could not be moved.
    bool keeps() const { return keep_; }

    // Replaces the file atomically with `text` (absent: an encoding failed, EDOM). A failure
    // keeps the previous file and is said once per kind; a kept file is not written (ECANCELED).
    AtomicFile::WriteResult save(const std::optional<std::string>& text);

private:
    void moveAside(const char* reason, double now);

    DataFolder folder_;
    std::filesystem::path path_;
    SaveLog saveLog_;
    bool keep_ = false;
};

}  // namespace corvelle
