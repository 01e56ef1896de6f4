#include "util/SaveLog.h"

#include <cstdio>
#include <cstring>

namespace corvelle {

void SaveLog::record(const std::filesystem::path& path, int error) {
    auto& reported = failures_[path.string()];
    if (error == 0) {
        if (!reported.empty()) std::fprintf(stderr, "corvelle: saved %s again\n", path.c_str());
        reported.clear();
        return;
    }
    if (!reported.insert(error).second) return;
    std::fprintf(stderr, "corvelle: could not save %s (%s); the previous file is kept and saving is retried\n",
                 path.c_str(), std::strerror(error));
}

}  // namespace corvelle
