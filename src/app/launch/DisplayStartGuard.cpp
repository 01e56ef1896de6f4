#include "app/launch/DisplayStartGuard.h"

#include <cstdio>
#include <cstdlib>

namespace corvelle {

DisplayStartGuard* DisplayStartGuard::active_ = nullptr;

DisplayStartGuard::DisplayStartGuard(std::function<std::string()> explain) : explain_(std::move(explain)) {
    active_ = this;
    previous_ = qInstallMessageHandler(&DisplayStartGuard::handle);
}

DisplayStartGuard::~DisplayStartGuard() {
    qInstallMessageHandler(previous_);
    active_ = nullptr;
    for (const QString& held : held_) std::fprintf(stderr, "%s\n", qPrintable(held));
}

void DisplayStartGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    DisplayStartGuard* guard = active_;
    if (type == QtFatalMsg) {
        const std::string line = guard->explain_();
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    guard->held_.push_back(qFormatLogMessage(type, context, message));
}

}  // namespace corvelle
