#pragma once

#include "util/AtomicFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace corvelle {

// The folder a component keeps its files in, and whether it may change them. Files are read
// with AtomicFile::read either way; a read-only folder is never created, written or tidied (a
// damaged file stays where it is), so a second process can read the data of the one that owns it.
class DataFolder {
public:
    // Writable; every write is flushed to the device with `sync` when one is given. Implicit, so
    // a plain path names a writable folder.
    DataFolder(std::filesystem::path path, AtomicFile::SyncHook sync = nullptr)
        : path_(std::move(path)), sync_(sync) {}
    static DataFolder readOnly(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Creates the folder with its parents; false when it is read-only or creation failed.
    bool create() const;
    bool writable() const { return writable_; }
    // Replaces a file atomically; nothing changes when it is read-only (EROFS) or the write failed.
    AtomicFile::WriteResult write(const std::filesystem::path& file, std::string_view contents) const;
    // Removes temporary files that a crash during a write of `file` left; nothing when read-only
    // (they may belong to the process that owns the folder, writing right now).
    void removeLeftovers(const std::filesystem::path& file) const;

private:
    std::filesystem::path path_;
    AtomicFile::SyncHook sync_ = nullptr;
    bool writable_ = true;
};

}  // namespace corvelle
