#include "app/AppDelegate.h"
#include "app/QSettingsStore.h"
#include "app/QtEventLoop.h"
#include "app/SignalQuitter.h"
#include "app/platform/DBusNotifier.h"
#include "app/status/StatusWindow.h"
#include "app/status/TrayStatusItem.h"
#include "app/views/components/Palette.h"
#include "app/views/components/SymbolIcon.h"
#include "linux/CurlHttpClient.h"
#include "linux/EnvironmentLanguages.h"
#include "linux/LinuxMachine.h"
#include "linux/LinuxSystemInfo.h"
#include "linux/Paths.h"
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
#include <cstdlib>

using namespace corvelle;

namespace {

// Tests only: CORVELLE_SAVE_INTERVAL=SECONDS saves the data files that often, so a test can
// stop the program at many moments across saves.
void applySaveInterval(MachineSources& sources) {
    const char* text = std::getenv("CORVELLE_SAVE_INTERVAL");
    const double seconds = text ? std::strtod(text, nullptr) : 0;
    if (seconds > 0 && seconds < sources.checkpointInterval) sources.checkpointInterval = seconds;
}

}  // namespace

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
    // Feedback and telemetry share one HTTPS client; answers arrive on the Qt loop.
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
        applySaveInterval(sources);
        return std::make_unique<SystemMonitor>(settings, std::move(sources), telemetry);
    };
    dependencies.makeStatusItem = []() -> std::unique_ptr<StatusItem> {
        if (QSystemTrayIcon::isSystemTrayAvailable()) return std::make_unique<TrayStatusItem>();
        return std::make_unique<StatusWindow>();
    };
    dependencies.notifier = notifier;
    dependencies.fetchUpdateFeed = UpdateController::networkFetch(UpdateController::feedUrl);
    dependencies.presentUpdateResult = [](const UpdateCheckResult& result) {
        UpdateController::showDialog(result, Constants::version());
    };
    dependencies.quit = [] { QCoreApplication::quit(); };

    AppDelegate delegate(std::move(dependencies));
    // SIGTERM and SIGINT quit like "Quit Corvelle": through aboutToQuit, which stops the monitor.
    SignalQuitter quitter;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&delegate] { delegate.applicationWillTerminate(); });
    QTimer::singleShot(0, &app, [&delegate] { delegate.applicationDidFinishLaunching(); });
    return app.exec();
}
