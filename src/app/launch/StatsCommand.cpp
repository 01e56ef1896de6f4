#include "app/launch/StatsCommand.h"

#include "app/launch/SignalQuitter.h"
#include "monitor/SystemMonitor.h"
#include "outbound/PrometheusExposition.h"
#include "present/StatsJson.h"
#include "present/StatusItemComposer.h"
#include "present/WaybarLine.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

namespace corvelle::StatsCommand {
namespace {

// How long the first watch line measures CPU shares and rates over.
constexpr int watchLeadMs = 250;

// False when standard output no longer takes what is written (a closed pipe, a full disk).
bool print(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written;
}
bool printLine(const std::string& line) { return print(line + '\n'); }

// The snapshot as JSON, or in the Prometheus text format together with the daily results the
// monitor computed at its start.
std::string snapshotText(const CommandLine& command, const SystemMonitor& monitor, const SystemStats& stats) {
    if (command.format == CommandLine::Format::prometheus) {
        return PrometheusExposition::compose(
            {stats, monitor.healthPrediction().get(), monitor.habitScore().get(), monitor.usageProfile().get()});
    }
    return StatsJson::encode(stats).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

// Quits the event loop with status 0 once the reader at the other end of a pipe on standard
// output has closed it, without waiting for the next line to fail. The write end of a pipe never
// polls readable, so the only wake-up is the error the kernel reports when the reader is gone.
class ReaderGone {
public:
    ReaderGone() {
        struct stat status = {};
        if (::fstat(STDOUT_FILENO, &status) != 0 || !S_ISFIFO(status.st_mode)) return;
        notifier_ = std::make_unique<QSocketNotifier>(STDOUT_FILENO, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            pollfd output{STDOUT_FILENO, POLLOUT, 0};
            if (::poll(&output, 1, 0) == 1 && (output.revents & (POLLERR | POLLHUP))) {
                QCoreApplication::exit(0);
            } else {
                notifier_->setEnabled(false);  // a FIFO opened both ways: only writes can tell
            }
        });
    }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

std::string watchLine(const CommandLine& command, const AppSettings& settings, const SystemStats& stats) {
    const auto title = StatusItemComposer::title(stats, StatusItemComposer::titleOptions(settings));
    return command.format == CommandLine::Format::waybar ? WaybarLine::compose(stats, title)
                                                         : WaybarLine::plainTitle(title);
}

}  // namespace

int run(const CommandLine& command, AppSettings& settings, const MakeMonitor& makeMonitor) {
    const bool snapshot = command.action == CommandLine::Action::snapshot;
    const SignalQuitter quitter;
    // A reader that went away shows as a failed write, whether or not SIGPIPE was ignored by
    // whoever started us (a status bar's children inherit an ignored one).
    ::signal(SIGPIPE, SIG_IGN);
    const ReaderGone readerGone;
    const auto monitor = makeMonitor(settings);
    monitor->setFixedInterval(snapshot ? 1.0 : command.watchInterval.value_or(settings.pollingInterval()));
    // A snapshot lists the processes as the open panel does; a watch samples what the title needs.
    monitor->setPopoverVisible(snapshot);
    int ticks = 0;
    const auto subscription = monitor->tickCompleted.subscribe([&](const SystemStats& stats) {
        // The first tick has nothing to measure CPU shares and rates against.
        if (++ticks == 1) return;
        if (snapshot) {
            QCoreApplication::exit(print(snapshotText(command, *monitor, stats)) ? 0 : 1);
        } else if (!printLine(watchLine(command, settings, stats))) {
            // Nobody reads the watch any more: it ends as if asked to.
            QCoreApplication::exit(0);
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
