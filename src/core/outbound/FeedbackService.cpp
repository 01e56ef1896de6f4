#include "outbound/FeedbackService.h"

#include "settings/Constants.h"
#include "util/EnumNames.h"
#include "util/JsonText.h"

namespace corvelle {
namespace {

static_assert(FeedbackService::endpoint.starts_with("https://"), "feedback travels over HTTPS only");
static_assert(FeedbackService::endpoint.ends_with("/feedback"));

constexpr std::array<std::string_view, 3> categoryNames{"bug", "feature", "general"};
constexpr double bytesPerGiB = 1'073'741'824.0;

}  // namespace

std::string_view toRaw(FeedbackService::Category category) { return rawName(category, categoryNames); }

template <>
std::optional<FeedbackService::Category> fromRaw<FeedbackService::Category>(std::string_view raw) {
    return caseNamed<FeedbackService::Category>(raw, categoryNames);
}

nlohmann::ordered_json FeedbackService::SystemInfo::toJson() const {
    return {{"eCores", eCores},
            {"pCores", pCores},
            {"thermalState", thermalState},
            {"batteryPercentage", batteryPercentage},
            {"ramTotalGB", ramTotalGB},
            {"appVersion", appVersion},
            {"osVersion", osVersion}};
}

nlohmann::ordered_json FeedbackService::Payload::toJson() const {
    nlohmann::ordered_json json{{"category", toRaw(category)},
                                {"message", message},
                                {"appVersion", appVersion},
                                {"osVersion", osVersion}};
    if (systemInfo) json["systemInfo"] = systemInfo->toJson();
    return json;
}

FeedbackService::SystemInfo FeedbackService::collectSystemInfo(const SystemStats& stats,
                                                               const corvelle::SystemInfo& machine) {
    return SystemInfo{static_cast<std::int64_t>(stats.eCoreUsages.size()),
                      static_cast<std::int64_t>(stats.pCoreUsages.size()),
                      thermalSymbol(stats.thermalLevel),
                      stats.batteryPercentage.value_or(0),
                      static_cast<double>(stats.memoryTotal) / bytesPerGiB,
                      Constants::version(),
                      machine.osVersion()};
}

void FeedbackService::send(const Route& route, Category category, const std::string& message,
                           const std::optional<SystemInfo>& systemInfo, std::function<void(bool)> done) {
    const Payload payload{category, message, Constants::version(), route.machine.osVersion(), systemInfo};
    auto body = JsonText::encodeOrdered(payload.toJson());
    if (!body) {
        route.loop.post([done = std::move(done)] { done(false); });
        return;
    }
    route.client.post(route.url, {{"Content-Type", "application/json"}}, std::move(*body), route.timeoutSeconds,
                      [done = std::move(done)](HttpResult result) { done(result.succeeded()); });
}

}  // namespace corvelle
