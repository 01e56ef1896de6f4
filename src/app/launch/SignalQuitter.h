#pragma once

#include <QObject>

class QSocketNotifier;

namespace corvelle {

// Turns SIGTERM, SIGINT and SIGHUP into a normal application quit, so they take the same path as
// "Quit" (aboutToQuit, the monitor's stop(), saved files). One instance per process.
class SignalQuitter : public QObject {
    Q_OBJECT
public:
    explicit SignalQuitter(QObject* parent = nullptr);
    ~SignalQuitter() override;

private:
    static void handle(int signal);
    static int pipe_[2];
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace corvelle
