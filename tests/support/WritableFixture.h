#pragma once

#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace corvelle::test {

// A recorded tree copied to a temporary folder, so that a test can change, add and remove files.
// Symbolic links are copied as links.
class WritableFixture {
public:
    explicit WritableFixture(const std::string& relative) {
        std::filesystem::copy(fixture(relative), dir_.path(),
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
    }
    const std::filesystem::path& root() const { return dir_.path(); }
    void write(const std::string& file, const std::string& text) const {
        std::filesystem::create_directories((dir_.path() / file).parent_path());
        std::ofstream(dir_.path() / file, std::ios::trunc) << text << '\n';
    }
    void remove(const std::string& path) const { std::filesystem::remove_all(dir_.path() / path); }

private:
    TempDir dir_;
};

}  // namespace corvelle::test
