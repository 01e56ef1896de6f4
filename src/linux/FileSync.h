#pragma once

#include <cstdio>

namespace corvelle {

// The sync hook of atomic writes on Linux: fsync of the written file.
bool syncToDevice(std::FILE* file);

}  // namespace corvelle
