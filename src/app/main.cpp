#include "app/QSettingsStore.h"
#include "app/QtEventLoop.h"
#include "app/SignalQuitter.h"
#include "linux/CurlHttpClient.h"
#include "linux/EnvironmentLanguages.h"
#include "linux/FileSync.h"
#include "linux/LinuxMachine.h"
#include "linux/LinuxSystemInfo.h"
#include "linux/Paths.h"
#include "linux/XdgAutostartLoginItem.h"
#include "outbound/TelemetryService.h"
#include "platform/PreferredLanguages.h"
#include "sampling/SystemMonitor.h"

#include <QApplication>
#include <QLabel>

#include <clocale>

using namespace corvelle;

namespace {

QString describe(const std::optional<BatteryIcon>& icon, const MenuBarTitle& title) {
    const QString symbol = icon ? QString::fromStdString(icon->symbolName) : QStringLiteral("battery.100");
    return symbol + QStringLiteral("  ") + QString::fromStdString(title.text);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in the core are formatted with printf: keep the "C" decimal point.
    std::setlocale(LC_NUMERIC, "C");
    app.setQuitOnLastWindowClosed(false);

    installFileSync();
    setPreferredLanguagesProvider(environmentPreferredLanguages);
    AppSettings::installShared(std::make_shared<QSettingsStore>(),
                               std::make_shared<XdgAutostartLoginItem>(
                                   Paths::autostartDirectory(), QCoreApplication::applicationFilePath().toStdString()));

    MachineSources sources = makeLinuxMachineSources();
    sources.eventLoop = std::make_shared<QtEventLoop>();
    sources.appSupportDirectory = Paths::appSupportDirectory();
    // Feedback and telemetry share one HTTPS client; answers arrive on the Qt loop.
    const auto httpClient = std::make_shared<CurlHttpClient>(sources.eventLoop);
    const LinuxSystemInfo systemInfo;
    TelemetryService::installShared(
        std::make_shared<TelemetryService>(AppSettings::shared(), httpClient, systemInfo, sources.clock));
    SystemMonitor monitor(AppSettings::shared(), std::move(sources));

    QLabel status;
    status.setWindowTitle(QStringLiteral("Corvelle"));
    status.setMinimumWidth(360);
    status.setText(describe(std::nullopt, {}));
    monitor.setOnMenuBarUpdate([&status](const auto& icon, const auto& title) { status.setText(describe(icon, title)); });

    SignalQuitter quitter;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&monitor] {
        // The end event goes out while the monitor saves; quitting waits for it at most a second.
        const auto telemetry = TelemetryService::shared();
        telemetry->sendEnd(telemetry->snapshot(monitor.stats().get(), AppSettings::shared()));
        monitor.stop();
        telemetry->finish(1.0);
        TelemetryService::installShared(nullptr);
    });

    monitor.start();
    status.show();
    return app.exec();
}
