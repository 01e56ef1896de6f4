#include "util/DataFolder.h"

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

bool DataFolder::write(const std::filesystem::path& file, std::string_view contents) const {
    return writable_ && AtomicFile::write(file, contents, sync_);
}

void DataFolder::moveAsideCorrupt(const std::filesystem::path& file, double unixSeconds) const {
    if (writable_) AtomicFile::moveAsideCorrupt(file, unixSeconds);
}

}  // namespace corvelle
