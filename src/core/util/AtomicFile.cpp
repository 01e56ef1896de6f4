#include "util/AtomicFile.h"

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace corvelle::AtomicFile {
namespace {

std::filesystem::path temporarySibling(const std::filesystem::path& path) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    auto name = "." + path.filename().string() + ".tmp-" + std::to_string(generator() % 1000000000ULL);
    return path.parent_path() / name;
}

bool writeAndSync(const std::filesystem::path& path, std::string_view contents, SyncHook sync) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    ok = std::fflush(file) == 0 && ok;
    if (ok && sync) ok = sync(file);
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

}  // namespace

bool write(const std::filesystem::path& path, std::string_view contents, SyncHook sync) {
    const auto temporary = temporarySibling(path);
    std::error_code error;
    if (!writeAndSync(temporary, contents, sync)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
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

bool moveAsideCorrupt(const std::filesystem::path& path, double unixSeconds) {
    const auto seconds = std::isfinite(unixSeconds) ? static_cast<long long>(unixSeconds) : 0LL;
    const auto target =
        path.parent_path() / (path.stem().string() + ".corrupt-" + std::to_string(seconds) + ".json");
    std::error_code error;
    std::filesystem::rename(path, target, error);
    return !error;
}

}  // namespace corvelle::AtomicFile
