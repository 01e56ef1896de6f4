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

}  // namespace corvelle::test
