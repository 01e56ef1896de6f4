#include "linux/gpu/DrmClients.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>

namespace corvelle {
namespace {

// Device files have short names; a longer link target is some other file.
constexpr size_t kLongestTarget = 64;
constexpr size_t kLongestFdinfo = 16384;

std::string pidPath(std::int32_t pid, std::string_view leaf, int fd = -1) {
    std::string path = std::to_string(pid) + '/' + std::string(leaf);
    if (fd >= 0) path += '/' + std::to_string(fd);
    return path;
}

// The link's target, empty when it is no short link.
std::string_view target(int directory, const char* path, std::array<char, kLongestTarget>& buffer) {
    const ssize_t length = readlinkat(directory, path, buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return {buffer.data(), static_cast<size_t>(length)};
}

double rise(std::uint64_t before, std::uint64_t now) { return now > before ? static_cast<double>(now - before) : 0; }

std::optional<std::uint64_t> highest(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::max(*a, *b);
}

// The busiest engine class's use, as a percentage.
double busiest(const std::map<std::string, double>& use) {
    double most = 0;
    for (const auto& [engine, fraction] : use) most = std::max(most, fraction);
    return std::min(most * 100, 100.0);
}

// This read's busy fraction of one engine class against the counters of the previous read.
std::optional<double> fraction(const DrmFdinfo::Engine& before, const DrmFdinfo::Engine& now, double elapsed) {
    const auto capacity = static_cast<double>(now.capacity);
    if (now.percent) return *now.percent / 100;
    if (now.cycles && now.totalCycles && before.cycles && before.totalCycles) {
        const double total = rise(*before.totalCycles, *now.totalCycles);
        if (total > 0) return rise(*before.cycles, *now.cycles) / (total * capacity);
    } else if (now.busyNanoseconds && before.busyNanoseconds && elapsed > 0) {
        return rise(*before.busyNanoseconds, *now.busyNanoseconds) / (elapsed * 1e9 * capacity);
    }
    return std::nullopt;
}

}  // namespace

DrmClients::DrmClients(const std::filesystem::path& root, std::vector<Node> nodes)
    : nodes_(std::move(nodes)), proc_(opendir((root / "proc").c_str())), self_(getpid()) {}

DrmClients::~DrmClients() {
    if (proc_) closedir(proc_);
}

size_t DrmClients::heldCount() const {
    size_t count = 0;
    for (const auto& [pid, held] : held_) count += held.size();
    return count;
}

const DrmClients::Node* DrmClients::nodeOf(std::string_view path) const {
    const auto found = std::find_if(nodes_.begin(), nodes_.end(), [path](const Node& node) { return node.first == path; });
    return found == nodes_.end() ? nullptr : &*found;
}

void DrmClients::find(std::span<const std::int32_t> pids) {
    if (!proc_ || nodes_.empty()) return;
    std::array<char, kLongestTarget> buffer;
    for (const auto pid : pids) {
        if (pid == self_) continue;
        held_.erase(pid);
        const int directory = openat(dirfd(proc_), pidPath(pid, "fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (directory < 0) continue;  // gone, or another user's
        DIR* files = fdopendir(directory);
        if (!files) {
            close(directory);
            continue;
        }
        std::vector<Held> held;
        while (const dirent* entry = readdir(files)) {
            int fd = -1;
            const std::string_view name = entry->d_name;
            if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc()) continue;
            if (const auto* node = nodeOf(target(directory, entry->d_name, buffer))) held.push_back({fd, node});
        }
        closedir(files);
        if (!held.empty()) held_.emplace(pid, std::move(held));
    }
}

void DrmClients::keep(std::span<const std::int32_t> sortedPids) {
    std::erase_if(held_, [sortedPids](const auto& item) { return !std::ranges::binary_search(sortedPids, item.first); });
    if (held_.empty()) previous_.clear();
}

bool DrmClients::stillHeld(std::int32_t pid, const Held& held) {
    std::array<char, kLongestTarget> buffer;
    return target(dirfd(proc_), pidPath(pid, "fd", held.fd).c_str(), buffer) == held.node->first;
}

// Reads one descriptor's statistics, once per client, adding its use since the previous read.
void DrmClients::measure(size_t gpu, std::int32_t pid, const Held& held, double now, EngineUse& use,
                         std::optional<std::uint64_t>& vram, std::vector<std::string>& seen) {
    if (!held.node->first.starts_with("/dev/dri/")) return;  // NVIDIA's own device files have no statistics
    const int fd = openat(dirfd(proc_), pidPath(pid, "fdinfo", held.fd).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    buffer_.resize(kLongestFdinfo);
    const ssize_t size = ::read(fd, buffer_.data(), buffer_.size());
    close(fd);
    buffer_.resize(size > 0 ? static_cast<size_t>(size) : 0);
    const auto info = DrmFdinfo::parse(buffer_);
    if (!info) return;
    std::string key = info->clientId ? info->pdev + '#' + std::to_string(*info->clientId)
                                     : pidPath(pid, "fd", held.fd);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) return;
    if (info->vramBytes) vram = vram.value_or(0) + *info->vramBytes;
    addUse(previous_[{gpu, key}], *info, now, use);
    seen.push_back(std::move(key));
}

bool DrmClients::addUse(Counters& previous, const DrmFdinfo& current, double now, EngineUse& use) {
    bool measured = false;
    const double elapsed = now - previous.time;
    for (const auto& [name, engine] : current.engines) {
        DrmFdinfo::Engine& before = previous.info.engines[name];
        if (const auto share = fraction(before, engine, elapsed)) {
            use[name] += std::clamp(*share, 0.0, 1.0);
            measured = true;
        }
        before.busyNanoseconds = highest(before.busyNanoseconds, engine.busyNanoseconds);
        before.cycles = highest(before.cycles, engine.cycles);
        before.totalCycles = highest(before.totalCycles, engine.totalCycles);
    }
    previous.time = now;
    return measured;
}

DrmClients::Usage DrmClients::read(size_t gpu, double now) {
    Usage usage;
    EngineUse all;
    std::vector<std::string> seen;
    for (auto it = held_.begin(); it != held_.end();) {
        const std::int32_t pid = it->first;
        EngineUse own;
        std::optional<std::uint64_t> vram;
        bool holds = false;
        std::erase_if(it->second, [&](const Held& held) {
            if (held.node->second != gpu) return false;
            if (!stillHeld(pid, held)) return true;
            holds = true;
            measure(gpu, pid, held, now, own, vram, seen);
            return false;
        });
        if (holds) {
            usage.clients.push_back({pid, own.empty() ? std::nullopt : std::optional(busiest(own)), vram});
            for (const auto& [engine, share] : own) all[engine] += share;
        }
        it = it->second.empty() ? held_.erase(it) : std::next(it);
    }
    // A client not seen this time has closed its last descriptor.
    std::erase_if(previous_, [&](const auto& item) {
        return item.first.first == gpu && std::find(seen.begin(), seen.end(), item.first.second) == seen.end();
    });
    if (!all.empty()) usage.load = busiest(all);
    return usage;
}

}  // namespace corvelle
