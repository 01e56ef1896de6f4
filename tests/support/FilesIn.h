#pragma once

#include <filesystem>
#include <iterator>

namespace corvelle::test {

// How many entries a folder holds (temporary files included).
inline size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace corvelle::test
