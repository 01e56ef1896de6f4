#pragma once

#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include <filesystem>
#include <optional>

namespace corvelle::test {

// The record stored in a file; absent when the file is missing or not of the record's shape.
template <typename T>
std::optional<T> savedFile(const std::filesystem::path& path) {
    const auto text = AtomicFile::read(path);
    return text ? JsonFields::decodeJson<T>(*text) : std::nullopt;
}

// Writes a record as the store would.
template <typename T>
bool saveFile(const std::filesystem::path& path, const T& value) {
    const auto text = JsonFields::encodeJson(value);
    return text && AtomicFile::write(path, *text);
}

}  // namespace corvelle::test
