#include "sampling/ProcessOrder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace corvelle {
namespace {

double figure(double value) { return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value; }

// Negative when a goes first (the larger), positive when b does.
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

std::string nameSortKey(const SortKeys* keys, std::string_view name) {
    return keys ? keys->sortKey(name) : std::string(name);
}

std::vector<ProcStats> ordered(std::vector<ProcStats> processes, const ProcessOrder& order, const SortKeys* keys) {
    // Names are keyed once per process rather than once per comparison.
    std::vector<std::pair<std::string, ProcStats>> keyed;
    keyed.reserve(processes.size());
    for (auto& process : processes) {
        auto key = order.key == ProcessOrder::Key::name ? nameSortKey(keys, process.name) : std::string();
        keyed.emplace_back(std::move(key), std::move(process));
    }
    const auto values = [](const std::pair<std::string, ProcStats>& item) {
        const auto& p = item.second;
        return ProcessOrder::Values{p.cpuPercent, p.memoryBytes, p.energyImpact, item.first};
    };
    std::ranges::stable_sort(keyed, [&](const auto& a, const auto& b) { return order.before(values(a), values(b)); });
    for (std::size_t i = 0; i < keyed.size(); ++i) processes[i] = std::move(keyed[i].second);
    return processes;
}

}  // namespace corvelle
