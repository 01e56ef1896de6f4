#include "sampling/NetworkMonitor.h"

namespace corvelle {

NetworkMonitor::NetworkMonitor(std::unique_ptr<NetStatsSource> source, std::shared_ptr<const Clock> clock)
    : source_(std::move(source)), clock_(std::move(clock)) {}

std::optional<NetworkMonitor::Snapshot> NetworkMonitor::sample() {
    // An unreadable counter gives no reading and keeps the baseline, so the next good read
    // is not measured against zero.
    auto totals = source_ ? source_->read() : std::nullopt;
    if (!totals) return std::nullopt;
    auto rates = rates_.update(totals->bytesIn, totals->bytesOut, clock_->uptime());
    if (!rates) return std::nullopt;
    return Snapshot{rates->first, rates->second};
}

}  // namespace corvelle
