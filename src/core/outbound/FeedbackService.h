#pragma once

#include "model/SystemStats.h"
#include "platform/EventLoop.h"
#include "platform/HttpClient.h"
#include "platform/SystemInfo.h"
#include "util/RawValue.h"

#include <nlohmann/json.hpp>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// Sends one message from the feedback form, optionally with an anonymous description of the
// machine. Stateless: nothing is stored and nothing is retried.
class FeedbackService {
public:
    static constexpr std::string_view endpoint = "https://telemetry.corvelle.app/feedback";
    static constexpr double requestTimeoutSeconds = 15;

    enum class Category { bug, feature, general };
    static constexpr std::array<Category, 3> allCases{Category::bug, Category::feature, Category::general};

    struct SystemInfo {
        std::int64_t eCores = 0;
        std::int64_t pCores = 0;
        std::string thermalState;
        double batteryPercentage = 0;
        double ramTotalGB = 0;
        std::string appVersion;
        std::string osVersion;

        nlohmann::ordered_json toJson() const;
        bool operator==(const SystemInfo&) const = default;
    };

    struct Payload {
        Category category = Category::general;
        std::string message;
        std::string appVersion;
        std::string osVersion;
        std::optional<SystemInfo> systemInfo;  // the key is left out when absent

        nlohmann::ordered_json toJson() const;
    };

    // What sending needs: the client, the main loop for the answer, the machine's version text
    // and where to send. The app keeps the defaults; tests point at a local server.
    struct Route {
        HttpClient& client;
        EventLoop& loop;
        const corvelle::SystemInfo& machine;
        std::string url = std::string(endpoint);
        double timeoutSeconds = requestTimeoutSeconds;
    };

    static SystemInfo collectSystemInfo(const SystemStats& stats, const corvelle::SystemInfo& machine);

    // Posts the message; `done` receives true only for a 2xx answer. It runs later on the main
    // loop, never inside send.
    static void send(const Route& route, Category category, const std::string& message,
                     const std::optional<SystemInfo>& systemInfo, std::function<void(bool)> done);
};

std::string_view toRaw(FeedbackService::Category category);
template <>
std::optional<FeedbackService::Category> fromRaw<FeedbackService::Category>(std::string_view raw);

}  // namespace corvelle
