#include "sampling/AppGroups.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace corvelle {

std::vector<AppGroup> buildAppGroups(const std::vector<ProcStats>& processes) {
    std::vector<AppGroup> groups;
    std::unordered_map<std::string_view, size_t> indexByName;
    for (const auto& process : processes) {
        const auto& name = process.appName.empty() ? process.name : process.appName;
        const auto [it, inserted] = indexByName.try_emplace(name, groups.size());
        if (inserted) groups.push_back({name, 0, 0, 0, process.energyImpact});
        auto& group = groups[it->second];
        group.totalCPU += process.cpuPercent;
        // Saturates rather than wrapping: a sum past 16 EiB is not a real figure either way.
        const auto room = std::numeric_limits<std::uint64_t>::max() - group.totalMemory;
        group.totalMemory += std::min(process.memoryBytes, room);
        group.processCount += 1;
        group.maxEnergyImpact = std::max(group.maxEnergyImpact, process.energyImpact);
    }
    std::ranges::stable_sort(groups, [](const AppGroup& a, const AppGroup& b) { return a.totalCPU > b.totalCPU; });
    return groups;
}

}  // namespace corvelle
