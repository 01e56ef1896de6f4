#include "app/Shell.h"
#include "app/launch/CommandLine.h"
#include "app/launch/DisplayStartGuard.h"
#include "app/launch/SignalQuitter.h"
#include "app/launch/SingleInstance.h"
#include "app/launch/StatsCommand.h"
#include "app/panel/SwayWindowPlacer.h"
#include "app/qt/DBusNotifier.h"
#include "app/qt/DBusPowerProfiles.h"
#include "app/qt/GnomeShellExtensions.h"
#include "app/qt/QSettingsStore.h"
#include "app/qt/QtBatteryCare.h"
#include "app/qt/QtEventLoop.h"
#include "app/qt/QtSortKeys.h"
#include "app/status/StatusNotifierItem.h"
#include "app/status/StatusWindow.h"
#include "app/status/TopBarItem.h"
#include "app/status/TrayStatusItem.h"
#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "app/windows/UpdateDialog.h"
#include "linux/CurlHttpClient.h"
#include "linux/EnvironmentLanguages.h"
#include "linux/FileSync.h"
#include "linux/LinuxMachine.h"
#include "linux/LinuxSystemInfo.h"
#include "linux/OpenFileLimit.h"
#include "linux/Paths.h"
#include "linux/SessionBusProbe.h"
#include "linux/SysfsChargeThresholdSource.h"
#include "linux/SystemClock.h"
#include "linux/XdgAutostartLoginItem.h"
#include "localization/LCommandLine.h"
#include "localization/Language.h"
#include "monitor/SystemMonitor.h"
#include "outbound/FeedbackService.h"
#include "outbound/MetricsPushService.h"
#include "outbound/TelemetryService.h"
#include "settings/Constants.h"
#include "settings/OverlayKeyValueStore.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QMessageAuthenticationCode>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <iostream>
#include <string_view>

using namespace corvelle;

namespace {

void noteOnStderr(const std::string& line) { std::fprintf(stderr, "corvelle: %s\n", line.c_str()); }

// An address where no bus is keeps the whole process, and what it starts, off the session bus:
// one instance then goes by the lock file.
void offTheSessionBus() { setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus", 1); }

// With no session bus address and no user bus socket, the bus library would start a bus daemon
// of its own (through dbus-launch) that outlives us.
void withoutBusAutolaunch() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime && *runtime && std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error)) return;
    offTheSessionBus();
}

// A session bus that takes the connection and then says nothing (a stale address, a wedged bus)
// would hold the start for ever: one that has not let us in within a few seconds is left out,
// and the app runs as without a bus.
void withoutSilentBus() {
    const auto address = SessionBusProbe::address();
    if (SessionBusProbe::probe(address, std::chrono::seconds(3)) != SessionBusProbe::Outcome::silent) return;
    noteOnStderr("the session bus at " + address +
                 " did not answer within 3 s: running without it (one instance by the lock file, no tray item or "
                 "notifications over D-Bus)");
    offTheSessionBus();
}

// In a Wayland session that also offers X (XWayland), windows go through X unless the user chose
// a platform: a Wayland client cannot place its own windows, so the panel would open wherever
// the compositor puts it instead of at the status item.
void preferX11UnderWayland() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland = set("WAYLAND_DISPLAY") || (session && std::string_view(session) == "wayland");
    if (wayland && set("DISPLAY") && !set("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "xcb", 1);
}

// Tests only: CORVELLE_SAVE_INTERVAL=SECONDS saves the data files that often, so a test can
// stop the program at many moments across saves.
void applySaveInterval(MachineSources& sources) {
    const char* text = std::getenv("CORVELLE_SAVE_INTERVAL");
    const double seconds = text ? std::strtod(text, nullptr) : 0;
    if (seconds > 0 && seconds < sources.checkpointInterval) sources.checkpointInterval = seconds;
}

// Pushes the metrics through `client` while the settings name a Pushgateway, as this machine's
// instance: a keyed hash of its machine id, which the gateway's readers cannot turn back into
// the id, and never a user name. None on a machine without an id.
std::unique_ptr<MetricsPushService> makeMetricsPush(AppSettings& settings, std::shared_ptr<HttpClient> client,
                                                    std::shared_ptr<Clock> clock) {
    const auto machineId = LinuxSystemInfo().machineId();
    if (!machineId) {
        if (!settings.metricsPushURL().empty()) noteOnStderr("no machine id in /etc/machine-id: no metrics are pushed");
        return nullptr;
    }
    const QByteArray instance = QMessageAuthenticationCode::hash(QByteArray::fromStdString(*machineId),
                                                                 "io.mirelo.corvelle.metrics", QCryptographicHash::Sha256);
    return std::make_unique<MetricsPushService>(settings, std::move(client), std::move(clock),
                                                instance.toHex().left(32).toStdString(), noteOnStderr);
}

// `pushClient` carries the metrics to a Pushgateway; none pushes nothing.
std::unique_ptr<SystemMonitor> makeMonitor(AppSettings& settings, std::shared_ptr<EventLoop> eventLoop,
                                           DataFolder dataFolder, std::shared_ptr<Notifier> notifier,
                                           std::shared_ptr<TelemetryService> telemetry,
                                           std::shared_ptr<HttpClient> pushClient = nullptr) {
    MachineSources sources = makeLinuxMachineSources();
    sources.eventLoop = std::move(eventLoop);
    sources.dataFolder = std::move(dataFolder);
    sources.notifier = std::move(notifier);
    sources.sortKeys = std::make_shared<QtSortKeys>();
    applySaveInterval(sources);
    auto push = pushClient ? makeMetricsPush(settings, std::move(pushClient), sources.clock) : nullptr;
    auto monitor =
        std::make_unique<SystemMonitor>(settings, std::move(sources), std::move(telemetry), std::move(push));
    // Tests only: CORVELLE_TICK_INTERVAL=SECONDS ticks faster than any setting may.
    if (const char* tick = std::getenv("CORVELLE_TICK_INTERVAL"); tick && std::strtod(tick, nullptr) > 0) {
        monitor->setFixedInterval(std::strtod(tick, nullptr));
    }
    return monitor;
}

// The user's settings, read but never written: for the modes that only look.
void installReadOnlySettings() {
    AppSettings::installShared(std::make_shared<OverlayKeyValueStore>(std::make_shared<QSettingsStore>()), nullptr);
    installLanguageLookup(environmentPreferredLanguages);
}

// --help, --version and a command line that cannot be run.
int answerWithoutRunning(const CommandLine& command) {
    installReadOnlySettings();
    switch (command.action) {
        case CommandLine::Action::help: std::cout << L::commandLineHelp(); return 0;
        case CommandLine::Action::version: std::cout << "Corvelle " << Constants::version() << '\n'; return 0;
        default: std::cerr << "corvelle: " << command.errorMessage() << '\n' << L::tryHelp() << '\n'; return 2;
    }
}

// --snapshot and --watch: no window, no tray, nothing written, beside a running instance.
int runStatsCommand(const CommandLine& command, int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    installReadOnlySettings();
    auto eventLoop = std::make_shared<QtEventLoop>();
    return StatsCommand::run(command, AppSettings::shared(), [eventLoop](AppSettings& settings) {
        return makeMonitor(settings, eventLoop, DataFolder::readOnly(Paths::appSupportDirectory()), nullptr, nullptr);
    });
}

// Where the status item goes, best first: GNOME's top bar through our own extension, a tray host
// that reads StatusNotifierItems (it shows the title beside the icon), an X11 tray, our own window.
enum class StatusPlace { topBar, statusNotifier, tray, window };

StatusPlace statusPlace() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (TopBarItem::hostPresent(bus)) return StatusPlace::topBar;
    if (StatusNotifierItem::watcherPresent(bus)) return StatusPlace::statusNotifier;
    return QSystemTrayIcon::isSystemTrayAvailable() ? StatusPlace::tray : StatusPlace::window;
}

// Takes over a request of a later start, or of this start's own command line.
void handle(Shell& shell, const SingleInstance::Request& request) {
    if (request.settings) {
        shell.openSettingsWindow();
    } else {
        shell.openPanel(CommandLine::tabIndex(request.tab));
    }
}

int runApp(const CommandLine& command, int argc, char** argv) {
    preferX11UnderWayland();
    withoutSilentBus();
    auto displayGuard = std::make_unique<DisplayStartGuard>([] {
        installReadOnlySettings();
        return L::needsDisplay();
    });
    QApplication app(argc, argv);
    displayGuard.reset();
    // Numbers in the core are formatted with printf: keep the "C" decimal point.
    std::setlocale(LC_NUMERIC, "C");
    const SingleInstance::Request request{command.action == CommandLine::Action::settings, command.tab};
    SingleInstance instance(Paths::instanceDirectories());
    const auto role = instance.claim(request);
    if (role != SingleInstance::Role::primary) {
        if (role == SingleInstance::Role::forwarded) return 0;
        installReadOnlySettings();
        std::cerr << L::runningInstanceSilent() << '\n';
        return 1;
    }
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
    // Feedback, telemetry, the metrics push and the update check share one HTTPS client; answers
    // arrive on the Qt loop.
    const auto httpClient = std::make_shared<CurlHttpClient>(eventLoop);
    const LinuxSystemInfo systemInfo;
    // Lives until main returns; its worker ends before the statics it uses.
    const auto telemetry =
        std::make_shared<TelemetryService>(AppSettings::shared(), httpClient, systemInfo, std::make_shared<SystemClock>());
    TelemetryService::installShared(telemetry);
    Shell::Dependencies dependencies;
    dependencies.makeSystemMonitor = [eventLoop, notifier, telemetry, httpClient](AppSettings& settings) {
        return makeMonitor(settings, eventLoop, DataFolder(Paths::appSupportDirectory(), syncToDevice), notifier,
                           telemetry, httpClient);
    };
    dependencies.swayPlacer = SwayWindowPlacer::fromEnvironment();
    StatusPlace statusPlaceInUse = StatusPlace::window;
    // Lives until main returns, as the settings window's offer and the notice below use it.
    const GnomeShellExtensions gnomeShellExtensions;
    dependencies.gnomeShellExtensions = &gnomeShellExtensions;
    dependencies.makeStatusItem = [&, placer = dependencies.swayPlacer]() -> std::unique_ptr<StatusItem> {
        statusPlaceInUse = statusPlace();
        switch (statusPlaceInUse) {
            case StatusPlace::topBar: return std::make_unique<TopBarItem>();
            case StatusPlace::statusNotifier: return std::make_unique<StatusNotifierItem>();
            case StatusPlace::tray: return std::make_unique<TrayStatusItem>();
            case StatusPlace::window: break;
        }
        // GNOME without a tray: said once, how to get the item into the top bar instead.
        gnomeShellExtensions.offerOnce(AppSettings::shared().store(), *notifier);
        return std::make_unique<StatusWindow>(placer);
    };
    dependencies.notifier = notifier;
    dependencies.makeUpdateController = [httpClient, eventLoop] {
        return std::make_unique<UpdateController>(UpdateController::Dependencies{
            httpClient, eventLoop, Constants::version(),
            [](const UpdateCheckResult& result) { showUpdateDialog(result, Constants::version()); }, noteOnStderr});
    };
    dependencies.quit = [] { QCoreApplication::quit(); };
    dependencies.feedbackRoute.emplace(FeedbackService::Route{*httpClient, *eventLoop, systemInfo});
    // The Battery tab's charge limit and power mode; declared before the shell, so they outlive it.
    QtBatteryCare batteryCare(std::make_unique<SysfsChargeThresholdSource>());
    DBusPowerProfiles powerProfiles;
    dependencies.batteryCare = &batteryCare;
    dependencies.powerProfiles = &powerProfiles;

    Shell shell(std::move(dependencies));
    // A tray host or our top bar extension that comes up after us (a panel still starting at login,
    // a restarted bar, the extension turned on) gets our item from then on; when it goes away, the
    // item falls back to what is left (an X11 tray, or our own status window) until one comes back.
    QDBusServiceWatcher hosts(StatusNotifierItem::watcherService, QDBusConnection::sessionBus(),
                              QDBusServiceWatcher::WatchForOwnerChange);
    hosts.addWatchedService(TopBarItem::hostService);
    QObject::connect(&hosts, &QDBusServiceWatcher::serviceOwnerChanged, [&] {
        if (statusPlace() != statusPlaceInUse) shell.replaceStatusItem();
    });
    // SIGTERM, SIGINT, SIGHUP and the session's end quit like "Quit Corvelle": through aboutToQuit, which stops the monitor.
    SignalQuitter quitter;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&shell] { shell.applicationWillTerminate(); });
    // The session ends: quit as on SIGTERM, saving what was sampled.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [] { QCoreApplication::quit(); });
    QTimer::singleShot(0, &app, [&] {
        shell.applicationDidFinishLaunching();
        if (command.action != CommandLine::Action::start) handle(shell, request);
        instance.setHandler([&shell](const SingleInstance::Request& later) { handle(shell, later); });
    });
    return app.exec();
}

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    withoutBusAutolaunch();
    const CommandLine command = CommandLine::parse(argumentList(argc, argv));
    if (command.error != CommandLine::Error::none) return answerWithoutRunning(command);
    raiseOpenFileLimit();
    switch (command.action) {
        case CommandLine::Action::help:
        case CommandLine::Action::version: return answerWithoutRunning(command);
        case CommandLine::Action::snapshot:
        case CommandLine::Action::watch: return runStatsCommand(command, argc, argv);
        case CommandLine::Action::start:
        case CommandLine::Action::open:
        case CommandLine::Action::settings: break;
    }
    return runApp(command, argc, argv);
}
