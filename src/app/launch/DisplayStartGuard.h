#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <string>
#include <vector>

namespace corvelle {

// Held while the application object starts its display platform. When no platform can start
// (no display, a missing plugin), Qt ends the program with a fatal message and an abort; this
// ends it instead with status 1 and one line of ours, `explain()`, on stderr. Qt's other messages
// of that moment are held back and printed once the platform has started. One at a time.
class DisplayStartGuard {
public:
    explicit DisplayStartGuard(std::function<std::string()> explain);
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    static DisplayStartGuard* active_;
    std::function<std::string()> explain_;
    QtMessageHandler previous_ = nullptr;
    std::vector<QString> held_;  // formatted as Qt would print them
};

}  // namespace corvelle
