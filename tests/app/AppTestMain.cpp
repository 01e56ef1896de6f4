#include "outbound/TelemetryService.h"
#include "support/FakeClock.h"
#include "support/FakeOutbound.h"
#include "support/ProcessWideState.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

// One application object for every test; widgets render on the offscreen platform.
int main(int argc, char** argv) {
    using namespace corvelle;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    test::installProcessWideState();
    // The shell ends the shared telemetry session at quit; telemetry is off in the shared settings.
    const auto telemetry = std::make_shared<TelemetryService>(AppSettings::shared(),
                                                              std::make_shared<test::RecordingHttpClient>(),
                                                              test::FixedSystemInfo{}, std::make_shared<test::FakeClock>());
    TelemetryService::installShared(telemetry);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
