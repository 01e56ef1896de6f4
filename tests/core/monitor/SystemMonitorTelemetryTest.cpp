#include "outbound/TelemetryService.h"

#include "support/Each.h"
#include "support/FakeOutbound.h"
#include "support/MonitorHarness.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// A telemetry service for the harness's monitor, recording what it would send.
struct RecordedTelemetry {
    explicit RecordedTelemetry(test::MonitorHarness& h)
        : service(std::make_shared<TelemetryService>(h.settings, client, test::FixedSystemInfo{}, h.clock)) {
        h.telemetry = service;
    }

    std::vector<std::string> events() {
        service->finish(5);
        return test::each(client->recorded(),
                          [](const auto& call) { return nlohmann::json::parse(call.body)["event"].template get<std::string>(); });
    }

    std::shared_ptr<test::RecordingHttpClient> client = std::make_shared<test::RecordingHttpClient>();
    std::shared_ptr<TelemetryService> service;
};

TEST(SystemMonitorTelemetry, LaunchesOnceAndBeatsOnlyWhileVisible) {
    test::MonitorHarness h;
    h.settings.setTelemetryEnabled(true);
    RecordedTelemetry telemetry(h);
    auto& monitor = h.make();
    monitor.start();
    h.loop->advance(10);
    EXPECT_EQ(telemetry.events(), std::vector<std::string>{"app_launch"});

    // Hidden for an hour: no heartbeat.
    h.loop->advance(3600);
    EXPECT_EQ(telemetry.events().size(), 1u);

    // Visible: due at once (an hour since launch), then again only after 1800 s.
    monitor.setPopoverVisible(true);
    h.loop->advance(1798);
    EXPECT_EQ(telemetry.events(), (std::vector<std::string>{"app_launch", "session_heartbeat"}));
    h.loop->advance(4);
    EXPECT_EQ(telemetry.events(), (std::vector<std::string>{"app_launch", "session_heartbeat", "session_heartbeat"}));
    monitor.stop();
}

}  // namespace
}  // namespace corvelle
