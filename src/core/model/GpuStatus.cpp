#include "model/GpuStatus.h"

#include <algorithm>

namespace corvelle {

double discreteGpuWatts(const std::vector<GpuStatus>& gpus) {
    double watts = 0;
    for (const auto& gpu : gpus) {
        if (gpu.isDiscrete() && gpu.powerWatts) watts += *gpu.powerWatts;
    }
    return watts;
}

bool busierFirst(std::optional<double> a, std::string_view aName, std::optional<double> b, std::string_view bName) {
    const double left = a.value_or(-1), right = b.value_or(-1);
    return left != right ? left > right : aName < bName;
}

std::vector<GpuUser> gpuUsers(const GpuStatus& gpu) {
    std::vector<GpuUser> users;
    for (const auto& client : gpu.clients) {
        auto user = std::find_if(users.begin(), users.end(), [&](const GpuUser& u) { return u.name == client.name; });
        if (user == users.end()) user = users.insert(users.end(), {client.name, std::nullopt});
        if (client.busyPercent) user->busyPercent = std::min(user->busyPercent.value_or(0) + *client.busyPercent, 100.0);
    }
    std::sort(users.begin(), users.end(), [](const GpuUser& a, const GpuUser& b) {
        return busierFirst(a.busyPercent, a.name, b.busyPercent, b.name);
    });
    return users;
}

}  // namespace corvelle
