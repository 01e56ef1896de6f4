#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle::AtomicFile {

// Flushes a written file to the device (fsync on Linux); false, with errno set, when that
// failed. Tests inject write failures (a full disk, a read-only file system) through it.
using SyncHook = bool (*)(std::FILE* file);

// What a write came to: error 0 when the file was replaced, else the errno of the failed step.
struct WriteResult {
    int error = 0;
    explicit operator bool() const { return error == 0; }
};

// Replaces `path` with `contents` so that a crash leaves either the old or the new file:
// write a temporary file in the same folder, flush, sync, rename over the target. Without a
// sync hook the data is flushed to the kernel only.
// On any failure the old file stays untouched and no temporary file is left.
WriteResult write(const std::filesystem::path& path, std::string_view contents, SyncHook sync = nullptr);

// Removes the temporary files that writes of `path` interrupted by a crash left behind. Call
// only while nothing is writing `path`.
void removeLeftovers(const std::filesystem::path& path);

// Reads a whole file; absent when it cannot be opened or read, or is not a regular file.
std::optional<std::string> read(const std::filesystem::path& path);

// Moves a damaged file (or whatever else stands in its place) aside as
// NAME.corrupt-<unixSeconds>.json in the same folder and says so on stderr with both names and
// `reason`. Returns false when the move failed (the file then stays where it was).
bool moveAsideCorrupt(const std::filesystem::path& path, double unixSeconds, const char* reason = "cannot be read");

}  // namespace corvelle::AtomicFile
