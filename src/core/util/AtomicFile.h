#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle::AtomicFile {

// Flushes a written file to the device (fsync on Linux); false when that failed.
using SyncHook = bool (*)(std::FILE* file);

// Replaces `path` with `contents` so that a crash leaves either the old or the new file:
// write a temporary file in the same folder, flush, sync, rename over the target. Without a
// sync hook the data is flushed to the kernel only.
// Returns false (and leaves the old file untouched) on any failure.
bool write(const std::filesystem::path& path, std::string_view contents, SyncHook sync = nullptr);

// Reads a whole file; absent when it cannot be opened or read, or is not a regular file.
std::optional<std::string> read(const std::filesystem::path& path);

// Moves a damaged file aside as NAME.corrupt-<unixSeconds>.json in the same folder.
// Returns false when the move failed (the file then stays where it was).
bool moveAsideCorrupt(const std::filesystem::path& path, double unixSeconds);

}  // namespace corvelle::AtomicFile
