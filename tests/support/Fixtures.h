#pragma once

#include <filesystem>
#include <string>

namespace corvelle::test {

// A recorded tree or file under tests/fixtures.
inline std::filesystem::path fixture(const std::string& relative) {
    return std::filesystem::path(CORVELLE_FIXTURES_DIR) / relative;
}

}  // namespace corvelle::test
