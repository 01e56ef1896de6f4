#include "app/launch/SignalQuitter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace corvelle {

namespace {

// A service manager's stop, Ctrl+C, and the terminal it was started from closing.
constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

int SignalQuitter::pipe_[2] = {-1, -1};

SignalQuitter::SignalQuitter(QObject* parent) : QObject(parent) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [] {
        char byte;
        while (::read(pipe_[0], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = &SignalQuitter::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : quitSignals) sigaction(number, &action, nullptr);
}

SignalQuitter::~SignalQuitter() {
    for (const int quit : quitSignals) signal(quit, SIG_DFL);
    for (int& fd : pipe_) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

// Only async-signal-safe work here: wake the event loop through the pipe.
void SignalQuitter::handle(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(pipe_[1], &byte, 1);
}

}  // namespace corvelle
