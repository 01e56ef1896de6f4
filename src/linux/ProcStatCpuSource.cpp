#include "linux/ProcStatCpuSource.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <map>

namespace corvelle {
namespace {

constexpr int kMaxCpus = 65536;

std::optional<CpuTicks> parseCpuRow(std::string_view line) {
    auto parts = TextFile::fields(line);
    // cpuN user nice system idle [iowait irq softirq ...]
    if (parts.size() < 5) return std::nullopt;
    auto number = TextFile::parseUnsigned(parts[0].substr(3));
    if (!number || *number >= kMaxCpus) return std::nullopt;
    std::uint64_t values[7] = {};
    for (size_t i = 1; i < parts.size() && i <= 7; ++i) {
        auto value = TextFile::parseUnsigned(parts[i]);
        if (!value) return std::nullopt;
        values[i - 1] = *value;
    }
    const auto [user, nice, system, idle, iowait, irq, softirq] = values;
    return CpuTicks{static_cast<int>(*number), user, system + irq + softirq, idle + iowait, nice};
}

}  // namespace

ProcStatCpuSource::ProcStatCpuSource(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<std::vector<CpuTicks>> ProcStatCpuSource::parse(std::string_view text) {
    std::vector<CpuTicks> rows;
    bool malformed = false;
    TextFile::forEachLine(text, [&](std::string_view line) {
        if (line.size() < 4 || line.substr(0, 3) != "cpu" || line[3] < '0' || line[3] > '9') return;
        auto row = parseCpuRow(line);
        if (row) rows.push_back(*row);
        else malformed = true;
    });
    if (malformed || rows.empty()) return std::nullopt;
    std::sort(rows.begin(), rows.end(), [](const CpuTicks& a, const CpuTicks& b) { return a.cpu < b.cpu; });
    // A CPU listed twice is not the kernel's text: its figures would count twice.
    const auto twice = std::adjacent_find(rows.begin(), rows.end(),
                                          [](const CpuTicks& a, const CpuTicks& b) { return a.cpu == b.cpu; });
    if (twice != rows.end()) return std::nullopt;
    return rows;
}

std::optional<std::vector<CpuTicks>> ProcStatCpuSource::read() {
    if (!TextFile::read(root_ / "proc/stat", buffer_)) return std::nullopt;
    return parse(buffer_);
}

std::optional<std::vector<int>> ProcStatCpuSource::parseCpuList(std::string_view text) {
    std::vector<int> cpus;
    std::optional<std::uint64_t> previous;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    if (text.empty()) return cpus;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto piece = text.substr(0, comma);
        const auto dash = piece.find('-');
        auto first = TextFile::parseUnsigned(piece.substr(0, dash));
        auto last = dash == std::string_view::npos ? first : TextFile::parseUnsigned(piece.substr(dash + 1));
        // The kernel writes ascending, disjoint ranges; anything else (repeats, overlaps) would
        // count a CPU twice or, repeated, grow the list without bound.
        if (!first || !last || *first > *last || *last >= kMaxCpus || (previous && *first <= *previous)) {
            return std::nullopt;
        }
        for (auto cpu = *first; cpu <= *last; ++cpu) cpus.push_back(static_cast<int>(cpu));
        previous = last;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return cpus;
}

// Intel hybrid parts list their efficiency (Atom) CPUs; ARM big.LITTLE gives the little cores
// a lower capacity. Anything else has no efficiency cores.
std::vector<int> ProcStatCpuSource::efficiencyCpus() {
    if (auto atom = TextFile::readTrimmed(root_ / "sys/devices/cpu_atom/cpus")) {
        if (auto cpus = parseCpuList(*atom)) return *cpus;
    }
    return capacityEfficiencyCpus();
}

std::vector<int> ProcStatCpuSource::capacityEfficiencyCpus() const {
    std::map<int, std::uint64_t> capacities;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "sys/devices/system/cpu", error)) {
        const auto name = entry.path().filename().string();
        if (name.size() < 4 || name.rfind("cpu", 0) != 0) continue;
        auto number = TextFile::parseUnsigned(std::string_view(name).substr(3));
        auto capacity = TextFile::readTrimmed(entry.path() / "cpu_capacity");
        if (!number || *number >= kMaxCpus || !capacity) continue;
        if (auto value = TextFile::parseUnsigned(*capacity)) capacities[static_cast<int>(*number)] = *value;
    }
    std::vector<int> efficiency;
    if (capacities.empty()) return efficiency;
    std::uint64_t largest = 0;
    for (const auto& [cpu, capacity] : capacities) largest = std::max(largest, capacity);
    for (const auto& [cpu, capacity] : capacities) {
        if (capacity < largest) efficiency.push_back(cpu);
    }
    return efficiency;
}

}  // namespace corvelle
