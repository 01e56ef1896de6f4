#include "present/GraphicsContent.h"

#include "localization/LOverview.h"
#include "localization/LTips.h"
#include "util/Format.h"

namespace corvelle::GraphicsContent {
namespace {

constexpr std::size_t kProgramsNamed = 3;
constexpr const char* kSeparator = "  ·  ";

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : kSeparator) + part;
    return text;
}

std::string figures(const GpuStatus& gpu) {
    if (!gpu.isAwake()) return L::gpuAsleepNote();
    std::vector<std::string> parts;
    if (gpu.loadPercent) parts.push_back(L::gpuLoad(formatString("%.0f%%", *gpu.loadPercent)));
    if (gpu.powerWatts) parts.push_back(formatString("%.1f W", *gpu.powerWatts));
    if (gpu.temperature) parts.push_back(formatString("%.0f°C", *gpu.temperature));
    if (gpu.memoryUsedBytes) {
        const auto used = bytesString(*gpu.memoryUsedBytes);
        parts.push_back(gpu.memoryTotalBytes ? L::gpuMemory(used, bytesString(*gpu.memoryTotalBytes)) : used);
    }
    return joined(parts);
}

// "Used by Steam 31%, Firefox 2% and 3 more".
std::string programs(const GpuStatus& gpu) {
    if (!gpu.isAwake()) return {};
    const auto users = gpuUsers(gpu);
    if (users.empty()) return L::gpuNoPrograms();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < std::min(users.size(), kProgramsNamed); ++i) {
        const auto& user = users[i];
        names.push_back(user.busyPercent ? user.name + formatString(" %.0f%%", *user.busyPercent) : user.name);
    }
    if (users.size() > kProgramsNamed) names.push_back(L::gpuMorePrograms(users.size() - kProgramsNamed));
    std::string list = names.front();
    for (std::size_t i = 1; i < names.size(); ++i) list += (i + 1 == names.size() ? L::listLastJoiner() : ", ") + names[i];
    return L::gpuUsedBy(list);
}

Row row(const GpuStatus& gpu) {
    Row result{gpu.name, gpu.isDiscrete() ? L::gpuDiscrete() : L::gpuIntegrated(), {}, SystemColor::secondary,
               "display", figures(gpu), programs(gpu)};
    switch (gpu.state) {
        case GpuState::suspended:
            result.state = L::gpuAsleep();
            result.stateColor = SystemColor::green;
            result.symbol = "moon.zzz.fill";
            break;
        case GpuState::active:
            result.state = L::gpuAwake();
            // Awake, a discrete GPU costs power of its own.
            result.stateColor = gpu.isDiscrete() ? SystemColor::orange : SystemColor::blue;
            break;
        case GpuState::alwaysOn: result.state = L::gpuAlwaysOn(); break;
    }
    return result;
}

}  // namespace

Card card(const SystemStats& stats) {
    Card result;
    for (const auto& gpu : stats.gpus) result.rows.push_back(row(gpu));
    if (result.rows.empty()) result.note = L::noGpu();
    return result;
}

}  // namespace corvelle::GraphicsContent
