#pragma once

#include <string>

namespace corvelle::Constants {

// The application version: the project version from the build, "1.0.1" when absent.
const std::string& version();

}  // namespace corvelle::Constants
