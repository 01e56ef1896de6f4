#pragma once

#include "model/AppGroup.h"
#include "model/ProcStats.h"

#include <vector>

namespace corvelle {

// One group per application (appName, else the process name) with the sums of its processes, by
// total CPU descending; groups with equal totals keep the order of their first process.
std::vector<AppGroup> buildAppGroups(const std::vector<ProcStats>& processes);

}  // namespace corvelle
