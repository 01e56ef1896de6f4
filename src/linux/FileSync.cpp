#include "linux/FileSync.h"

#include <unistd.h>

namespace corvelle {

bool syncToDevice(std::FILE* file) { return fsync(fileno(file)) == 0; }

}  // namespace corvelle
