#pragma once

#include "app/launch/CommandLine.h"

#include <functional>
#include <memory>

namespace corvelle {

class AppSettings;
class SystemMonitor;

// --snapshot and --watch: runs a monitor and prints what it reads to standard output. The
// monitor it is given writes nothing; the update interval these modes use is set in `settings`,
// which must keep its writes to itself. Runs on the application's event loop until done:
// --snapshot after the second tick (one second after the first, so that rates and CPU shares
// are measured), --watch at SIGINT or SIGTERM or once its reader is gone (status 0); its first
// line measures a quarter of a second. Returns the exit status: 1 when the snapshot could not be
// written.
namespace StatsCommand {

using MakeMonitor = std::function<std::unique_ptr<SystemMonitor>(AppSettings&)>;

int run(const CommandLine& command, AppSettings& settings, const MakeMonitor& makeMonitor);

}  // namespace StatsCommand
}  // namespace corvelle
