#pragma once

#include "outbound/UpdateCheckResult.h"

#include <string>

namespace corvelle {

// A dialog that tells the outcome of an update check; an available update offers to open its
// download page.
void showUpdateDialog(const UpdateCheckResult& result, const std::string& currentVersion);

}  // namespace corvelle
