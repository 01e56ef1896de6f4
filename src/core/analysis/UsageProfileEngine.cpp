#include "analysis/UsageProfileEngine.h"

#include "analysis/RecordTotals.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>

namespace corvelle::UsageProfileEngine {
namespace {

using RecordTotals::meanOf;
using RecordTotals::sumOf;

// Application-group names, compared exactly (case-sensitive): the applications' bundle names and,
// for the same applications on Linux, the names of their executables.
// A meeting held in a web browser cannot be told from browsing, so it counts as neither.
constexpr std::array<std::string_view, 75> developerNames{
    // applications
    "Xcode", "Terminal", "iTerm2", "Ghostty", "Cursor", "Visual Studio Code", "VS Code", "Code", "Zed", "Docker",
    "Docker Desktop", "Warp", "Alacritty", "IntelliJ IDEA", "WebStorm", "PyCharm", "CLion", "Sublime Text", "Nova",
    "Neovim", "Vim",
    // processes
    "swift-build", "swift-frontend", "clang", "node", "bun", "cargo", "rustc", "python3", "ruby", "java", "go",
    "claude", "gh", "git", "npm", "yarn", "pnpm", "sourcekit-lsp", "SourceKitService", "com.apple.dt.SKAgent",
    // Linux editors, terminals and containers
    "code", "code-oss", "codium", "cursor", "zed", "nvim", "vim", "emacs", "idea", "pycharm", "clion", "sublime_text",
    "gnome-terminal-server", "konsole", "kitty", "alacritty", "wezterm-gui", "foot", "xterm", "tilix", "dockerd",
    "containerd", "podman",
    // Linux compilers, build tools and language servers
    "gcc", "cc1", "cc1plus", "g++", "ld", "make", "ninja", "cmake", "clangd", "rust-analyzer", "gopls"};
constexpr std::array<std::string_view, 31> creativeNames{
    "Figma", "Sketch", "Adobe Photoshop", "Adobe Illustrator", "Adobe Premiere Pro", "Adobe After Effects",
    "Adobe XD", "Final Cut Pro", "DaVinci Resolve", "Logic Pro", "Blender", "Cinema 4D", "Affinity Photo",
    "Affinity Designer", "Affinity Publisher", "Pixelmator Pro", "Procreate", "GarageBand", "Motion", "Compressor",
    // Linux
    "gimp", "inkscape", "krita", "blender", "kdenlive", "resolve", "darktable", "shotcut", "obs", "ardour",
    "audacity"};
constexpr std::array<std::string_view, 20> meetingNames{
    // applications
    "zoom.us", "Zoom", "Microsoft Teams", "FaceTime", "Slack", "Discord", "Google Meet", "Webex", "Skype", "Around",
    "Loom",
    // processes
    "VDCAssistant", "AppleCamera", "avconferenced",
    // Linux
    "zoom", "ZoomWebinar", "teams-for-linux", "slack", "skypeforlinux", "webex"};

template <size_t N>
double categoryShare(const std::map<std::string, double>& minutes, double total,
                     const std::array<std::string_view, N>& names) {
    double inCategory = 0;
    for (const auto& [name, value] : minutes) {
        if (std::find(names.begin(), names.end(), name) != names.end()) inCategory += value;
    }
    return std::min(1.0, 2.0 * inCategory / total);
}

void addApplicationShares(const std::vector<DailySnapshot>& records, AggregateMetrics& m) {
    std::map<std::string, double> merged;
    for (const auto& record : records) {
        for (const auto& [name, minutes] : record.appPresenceMinutes) merged[name] += minutes;
    }
    const double total = std::max(1.0, sumOf(merged, [](const auto& entry) { return entry.second; }));
    m.devShare = categoryShare(merged, total, developerNames);
    m.creativeShare = categoryShare(merged, total, creativeNames);
    m.meetingShare = categoryShare(merged, total, meetingNames);
    m.appDiversity = static_cast<double>(merged.size());
}

double standardDeviation(const std::vector<DailySnapshot>& records, double mean) {
    return std::sqrt(meanOf(records, [mean](const auto& r) { return (r.cpu.avgTotal - mean) * (r.cpu.avgTotal - mean); }));
}

// 0 at or below lo, w at or above hi, linear between.
double rising(double x, double lo, double hi, double w) {
    if (x <= lo) return 0;
    if (x >= hi) return w;
    return w * (x - lo) / (hi - lo);
}

// w at or below 0, 0 at or above hi, linear between.
double falling(double x, double hi, double w) {
    if (x <= 0) return w;
    if (x >= hi) return 0;
    return w * (1 - x / hi);
}

// 1 at c, falling to 0 at 0 and at 2c.
double closeness(double x, double c) { return std::max(0.0, 1 - std::fabs(x - c) / c); }

}  // namespace

AggregateMetrics aggregateMetrics(const std::vector<DailySnapshot>& records) {
    AggregateMetrics m;
    if (records.empty()) return m;
    m.avgCPU = meanOf(records, [](const auto& r) { return r.cpu.avgTotal; });
    for (const auto& record : records) m.peakCPU = std::max(m.peakCPU, record.cpu.peakTotal);
    m.avgPCore = meanOf(records, [](const auto& r) { return r.cpu.avgPCore; });
    m.cpuVariability = standardDeviation(records, m.avgCPU);
    const double samples = sumOf(records, [](const auto& r) { return r.sampleCount; });
    if (samples > 0) m.highCPUFraction = sumOf(records, [](const auto& r) { return r.cpu.samplesAbove40; }) / samples;
    m.avgWatts = RecordTotals::powerMeanOf(records, [](const auto& r) { return r.power.avgSystemWatts; }).value_or(0);
    m.avgGPUWatts = RecordTotals::powerMeanOf(records, [](const auto& r) { return r.power.avgGpuWatts; }).value_or(0);
    m.avgMemoryPressure = meanOf(records, [](const auto& r) { return r.memory.avgPressure; });
    m.thermalFraction = RecordTotals::thermalFraction(records);
    addApplicationShares(records, m);
    return m;
}

std::array<double, 6> profileScores(const AggregateMetrics& m) {
    const double a = m.avgCPU, w = m.avgWatts, mem = m.avgMemoryPressure, t = m.thermalFraction;
    const double n = m.appDiversity, p = m.peakCPU;
    std::array<double, 6> scores{
        // light
        falling(a, 15, 0.3) + falling(w, 5, 0.25) + falling(t, 0.05, 0.2) + falling(mem, 30, 0.15) +
            falling(n, 5, 0.1),
        // moderate
        0.25 * std::max(0.0, 1 - m.devShare - m.creativeShare - m.meetingShare) + 0.3 * closeness(a, 27.5) +
            0.25 * closeness(w, 10) + 0.2 * closeness(mem, 40),
        // powerUser
        rising(a, 40, 100, 0.25) + rising(m.highCPUFraction, 0.3, 1.0, 0.2) + rising(w, 15, 40, 0.2) +
            rising(t, 0.1, 0.5, 0.15) + rising(n, 10, 30, 0.1) + rising(p, 70, 100, 0.1),
        // creative
        0.35 * m.creativeShare + rising(m.avgGPUWatts, 3, 15, 0.25) + rising(w, 10, 30, 0.15) +
            rising(mem, 50, 90, 0.15) + rising(p, 50, 100, 0.1),
        // developer
        0.35 * m.devShare + rising(mem, 40, 80, 0.15) + rising(m.avgPCore, 20, 60, 0.15) +
            rising(m.cpuVariability, 10, 40, 0.15) + rising(w, 8, 25, 0.1) + rising(n, 8, 25, 0.1),
        // meeting
        0.4 * m.meetingShare + (a >= 10 && a <= 40 ? 0.2 : 0.075) + rising(w, 5, 15, 0.2) +
            (mem >= 30 && mem <= 60 ? 0.105 : 0.045)};
    for (auto& score : scores) score = std::min(score, 1.0);
    return scores;
}

ProfileClassification rank(const std::array<double, 6>& scores) {
    std::array<UsageProfile, 6> ranked = allUsageProfiles;
    const auto scoreOf = [&](UsageProfile profile) { return scores[static_cast<size_t>(profile)]; };
    std::stable_sort(ranked.begin(), ranked.end(), [&](auto x, auto y) { return scoreOf(x) > scoreOf(y); });
    ProfileClassification result;
    result.primary = ranked[0];
    result.primaryScore = scoreOf(ranked[0]);
    if (scoreOf(ranked[1]) > result.primaryScore / 2) {
        result.secondary = ranked[1];
        result.secondaryScore = scoreOf(ranked[1]);
    }
    return result;
}

ProfileClassification classify(const std::vector<DailySnapshot>& records, double now) {
    const auto used = std::min<std::size_t>(records.size(), 7);
    ProfileClassification result;
    if (used == 0) {
        result.primaryScore = 0.5;
    } else {
        const std::vector<DailySnapshot> recent(records.end() - static_cast<std::ptrdiff_t>(used), records.end());
        result = rank(profileScores(aggregateMetrics(recent)));
    }
    result.classifiedAt = now;
    result.daysAnalyzed = static_cast<std::int64_t>(used);
    return result;
}

}  // namespace corvelle::UsageProfileEngine
