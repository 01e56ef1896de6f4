#include "util/AtomicFile.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

namespace corvelle::AtomicFile {
namespace {

std::string temporaryPrefix(const std::filesystem::path& path) { return "." + path.filename().string() + ".tmp-"; }

std::filesystem::path temporarySibling(const std::filesystem::path& path) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return path.parent_path() / (temporaryPrefix(path) + std::to_string(generator() % 1000000000ULL));
}

// errno of a failed call; some report failure without setting it.
int lastError() { return errno != 0 ? errno : EIO; }

int writeAndSync(const std::filesystem::path& path, std::string_view contents, SyncHook sync) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return lastError();
    int error = 0;
    if (std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) error = lastError();
    if (std::fflush(file) != 0 && !error) error = lastError();
    if (!error && sync && !sync(file)) error = lastError();
    if (std::fclose(file) != 0 && !error) error = lastError();
    return error;
}

}  // namespace

WriteResult write(const std::filesystem::path& path, std::string_view contents, SyncHook sync) {
    const auto temporary = temporarySibling(path);
    std::error_code ignored;
    if (const int error = writeAndSync(temporary, contents, sync)) {
        std::filesystem::remove(temporary, ignored);
        return {error};
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        return {error.value()};
    }
    return {};
}

void removeLeftovers(const std::filesystem::path& path) {
    const auto prefix = temporaryPrefix(path);
    std::error_code error;
    std::vector<std::filesystem::path> leftovers;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
        if (entry.path().filename().string().starts_with(prefix)) leftovers.push_back(entry.path());
    }
    for (const auto& leftover : leftovers) std::filesystem::remove(leftover, error);
}

std::optional<std::string> read(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream buffer;
    buffer << stream.rdbuf();
    if (stream.bad()) return std::nullopt;
    return buffer.str();
}

bool moveAsideCorrupt(const std::filesystem::path& path, double unixSeconds, const char* reason) {
    const auto seconds = std::isfinite(unixSeconds) ? static_cast<long long>(unixSeconds) : 0LL;
    const auto target =
        path.parent_path() / (path.stem().string() + ".corrupt-" + std::to_string(seconds) + ".json");
    std::error_code error;
    std::filesystem::rename(path, target, error);
    if (error) {
        std::fprintf(stderr, "corvelle: %s %s and could not be moved aside (%s); nothing is saved over it\n",
                     path.c_str(), reason, error.message().c_str());
        return false;
    }
    std::fprintf(stderr, "corvelle: %s %s; moved it aside as %s\n", path.c_str(), reason, target.c_str());
    return true;
}

}  // namespace corvelle::AtomicFile
