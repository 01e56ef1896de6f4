#include "util/DataFolder.h"

#include <cerrno>
#include <system_error>

namespace corvelle {

DataFolder DataFolder::readOnly(std::filesystem::path path) {
    DataFolder folder(std::move(path));
    folder.writable_ = false;
    return folder;
}

bool DataFolder::create() const {
    if (!writable_) return false;
    std::error_code error;
    std::filesystem::create_directories(path_, error);
    return !error;
}

AtomicFile::WriteResult DataFolder::write(const std::filesystem::path& file, std::string_view contents) const {
    if (!writable_) return {EROFS};
    return AtomicFile::write(file, contents, sync_);
}

void DataFolder::removeLeftovers(const std::filesystem::path& file) const {
    if (writable_) AtomicFile::removeLeftovers(file);
}

}  // namespace corvelle
