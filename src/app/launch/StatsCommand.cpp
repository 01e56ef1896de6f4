#include "app/launch/StatsCommand.h"

#include "app/SignalQuitter.h"
#include "monitor/StatsJson.h"
#include "monitor/StatusItemComposer.h"
#include "monitor/SystemMonitor.h"
#include "monitor/WaybarLine.h"
#include "outbound/PrometheusExposition.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <string>

namespace corvelle::StatsCommand {
namespace {

// How long the first watch line measures CPU shares and rates over.
constexpr int watchLeadMs = 250;

void print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
void printLine(const std::string& line) { print(line + '\n'); }

// The snapshot as JSON, or in the Prometheus text format together with the daily results the
// monitor computed at its start.
std::string snapshotText(const CommandLine& command, const SystemMonitor& monitor, const SystemStats& stats) {
    if (command.format == CommandLine::Format::prometheus) {
        return PrometheusExposition::compose(
            {stats, monitor.healthPrediction().get(), monitor.habitScore().get(), monitor.usageProfile().get()});
    }
    return StatsJson::encode(stats).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

std::string watchLine(const CommandLine& command, const AppSettings& settings, const SystemStats& stats) {
    const auto title = StatusItemComposer::title(stats, StatusItemComposer::titleOptions(settings));
    return command.format == CommandLine::Format::waybar ? WaybarLine::compose(stats, title)
                                                         : WaybarLine::plainTitle(title);
}

}  // namespace

int run(const CommandLine& command, AppSettings& settings, const MakeMonitor& makeMonitor) {
    const bool snapshot = command.action == CommandLine::Action::snapshot;
    const SignalQuitter quitter;
    const auto monitor = makeMonitor(settings);
    monitor->setFixedInterval(snapshot ? 1.0 : command.watchInterval.value_or(settings.pollingInterval()));
    // A snapshot lists the processes as the open panel does; a watch samples what the title needs.
    monitor->setPopoverVisible(snapshot);
    int ticks = 0;
    const auto subscription = monitor->tickCompleted.subscribe([&](const SystemStats& stats) {
        // The first tick has nothing to measure CPU shares and rates against.
        if (++ticks == 1) return;
        if (snapshot) {
            print(snapshotText(command, *monitor, stats));
            QCoreApplication::quit();
        } else {
            printLine(watchLine(command, settings, stats));
        }
    });
    if (snapshot) {
        monitor->start();
    } else {
        // A first tick a moment before the timer's, so the first line comes without waiting a period.
        monitor->poll();
        QTimer::singleShot(watchLeadMs, [&monitor] { monitor->start(); });
    }
    const int status = QCoreApplication::exec();
    monitor->stop();
    return status;
}

}  // namespace corvelle::StatsCommand
