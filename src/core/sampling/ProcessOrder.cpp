#include "sampling/ProcessOrder.h"

#include "util/SortFold.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace corvelle {
namespace {

double figure(double value) { return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value; }

// Negative when a goes first in the column's own direction, positive when b does.
template <typename T>
int descending(T a, T b) {
    return a > b ? -1 : (a < b ? 1 : 0);
}

}  // namespace

bool ProcessOrder::before(const Values& a, const Values& b) const {
    int sign = 0;
    switch (key) {
        case Key::cpu: sign = descending(figure(a.cpuPercent), figure(b.cpuPercent)); break;
        case Key::memory: sign = descending(a.memoryBytes, b.memoryBytes); break;
        case Key::energy: sign = descending(figure(a.energyImpact), figure(b.energyImpact)); break;
        case Key::name: sign = a.nameKey.compare(b.nameKey); break;
    }
    return reversed ? sign > 0 : sign < 0;
}

std::vector<ProcStats> ordered(std::vector<ProcStats> processes, const ProcessOrder& order) {
    // Names are folded once per process rather than once per comparison.
    std::vector<std::pair<std::string, ProcStats>> keyed;
    keyed.reserve(processes.size());
    for (auto& process : processes) {
        keyed.emplace_back(order.key == ProcessOrder::Key::name ? sortFolded(process.name) : std::string(),
                           std::move(process));
    }
    const auto values = [](const std::pair<std::string, ProcStats>& item) {
        return ProcessOrder::Values{item.second.cpuPercent, item.second.memoryBytes, item.second.energyImpact,
                                    item.first};
    };
    std::ranges::stable_sort(keyed, [&](const auto& a, const auto& b) { return order.before(values(a), values(b)); });
    for (std::size_t i = 0; i < keyed.size(); ++i) processes[i] = std::move(keyed[i].second);
    return processes;
}

}  // namespace corvelle
