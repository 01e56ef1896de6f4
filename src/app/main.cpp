#include "app/AppDelegate.h"
#include "app/QSettingsStore.h"
#include "app/QtEventLoop.h"
#include "app/SignalQuitter.h"
#include "app/platform/DBusNotifier.h"
#include "app/qt/DBusPowerProfiles.h"
#include "app/qt/QtBatteryCare.h"
#include "app/status/StatusNotifierItem.h"
#include "app/status/StatusWindow.h"
#include "app/status/TrayStatusItem.h"
#include "app/updates/UpdateDialog.h"
#include "app/views/components/Palette.h"
#include "app/views/components/SymbolIcon.h"
#include "linux/CurlHttpClient.h"
#include "linux/EnvironmentLanguages.h"
#include "linux/LinuxMachine.h"
#include "linux/LinuxSystemInfo.h"
#include "linux/Paths.h"
#include "linux/SysfsChargeThresholdSource.h"
#include "linux/SystemClock.h"
#include "linux/XdgAutostartLoginItem.h"
#include "localization/Language.h"
#include "monitor/SystemMonitor.h"
#include "outbound/TelemetryService.h"
#include "settings/Constants.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>

#include <clocale>
#include <cstdio>

using namespace corvelle;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in the core are formatted with printf: keep the "C" decimal point.
    std::setlocale(LC_NUMERIC, "C");
    // A tray program: closing its last window does not end it.
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("Corvelle"));
    app.setDesktopFileName(QStringLiteral("io.mirelo.corvelle"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("io.mirelo.corvelle"),
                                       SymbolIcon::icon("gauge.medium", Palette::accent())));

    AppSettings::installShared(std::make_shared<QSettingsStore>(),
                               std::make_shared<XdgAutostartLoginItem>(
                                   Paths::autostartDirectory(), QCoreApplication::applicationFilePath().toStdString()));
    installLanguageLookup(environmentPreferredLanguages);

    auto eventLoop = std::make_shared<QtEventLoop>();
    auto notifier = std::make_shared<DBusNotifier>();
    // Feedback, telemetry and the update check share one HTTPS client; answers arrive on the Qt loop.
    const auto httpClient = std::make_shared<CurlHttpClient>(eventLoop);
    const LinuxSystemInfo systemInfo;
    // Lives until main returns; its worker ends before the statics it uses.
    const auto telemetry =
        std::make_shared<TelemetryService>(AppSettings::shared(), httpClient, systemInfo, std::make_shared<SystemClock>());
    TelemetryService::installShared(telemetry);
    AppDelegate::Dependencies dependencies;
    dependencies.makeSystemMonitor = [eventLoop, notifier, telemetry](AppSettings& settings) {
        MachineSources sources = makeLinuxMachineSources();
        sources.eventLoop = eventLoop;
        sources.appSupportDirectory = Paths::appSupportDirectory();
        sources.notifier = notifier;
        return std::make_unique<SystemMonitor>(settings, std::move(sources), telemetry);
    };
    dependencies.makeStatusItem = []() -> std::unique_ptr<StatusItem> {
        // Where a tray host reads StatusNotifierItems, our own one: it shows the title beside the icon.
        if (StatusNotifierItem::watcherPresent(QDBusConnection::sessionBus())) {
            return std::make_unique<StatusNotifierItem>();
        }
        if (QSystemTrayIcon::isSystemTrayAvailable()) return std::make_unique<TrayStatusItem>();
        return std::make_unique<StatusWindow>();
    };
    dependencies.notifier = notifier;
    dependencies.makeUpdateController = [httpClient, eventLoop] {
        return std::make_unique<UpdateController>(UpdateController::Dependencies{
            httpClient, eventLoop, Constants::version(),
            [](const UpdateCheckResult& result) { showUpdateDialog(result, Constants::version()); },
            [](const std::string& line) { std::fprintf(stderr, "corvelle: %s\n", line.c_str()); }});
    };
    dependencies.quit = [] { QCoreApplication::quit(); };
    // The Battery tab's charge limit and power mode; declared before the shell, so they outlive it.
    QtBatteryCare batteryCare(std::make_unique<SysfsChargeThresholdSource>());
    DBusPowerProfiles powerProfiles;
    dependencies.batteryCare = &batteryCare;
    dependencies.powerProfiles = &powerProfiles;

    AppDelegate delegate(std::move(dependencies));
    // SIGTERM and SIGINT quit like "Quit Corvelle": through aboutToQuit, which stops the monitor.
    SignalQuitter quitter;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&delegate] { delegate.applicationWillTerminate(); });
    QTimer::singleShot(0, &app, [&delegate] { delegate.applicationDidFinishLaunching(); });
    return app.exec();
}
