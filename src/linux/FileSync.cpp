#include "linux/FileSync.h"

#include "util/AtomicFile.h"

#include <unistd.h>

#include <cstdio>

namespace corvelle {

void installFileSync() {
    AtomicFile::setSyncHook([](std::FILE* file) { return fsync(fileno(file)) == 0; });
}

}  // namespace corvelle
