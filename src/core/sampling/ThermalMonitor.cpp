#include "sampling/ThermalMonitor.h"

namespace corvelle {

ThermalMonitor::ThermalMonitor(std::unique_ptr<ThermalSource> source, std::shared_ptr<EventLoop> loop)
    : loop_(std::move(loop)), source_(std::move(source)) {}

ThermalMonitor::~ThermalMonitor() { stop(); }

void ThermalMonitor::start(Handler onChange) {
    stop();
    onChange_ = std::move(onChange);
    if (!source_ || !loop_) return;
    std::weak_ptr<bool> alive = alive_;
    notificationToken_ = source_->registerPressureWatch(*loop_, [this, alive] {
        if (alive.lock()) updateLevel();
    });
    if (notificationToken_ != 0) updateLevel();
}

void ThermalMonitor::stop() {
    if (notificationToken_ == 0) return;
    source_->cancelPressureWatch(notificationToken_);
    notificationToken_ = 0;
}

void ThermalMonitor::updateLevel() {
    const auto state = source_->pressureState(notificationToken_);
    if (!state) return;
    currentState_ = thermalLevelFromState(static_cast<long long>(*state));
    if (onChange_) onChange_(currentState_);
}

std::optional<ThermalLevel> ThermalMonitor::systemLevel() {
    if (!source_ || !source_->hasSources()) return std::nullopt;
    switch (source_->thermalState()) {
        case SystemThermalState::fair: return ThermalLevel::moderate;
        case SystemThermalState::serious: return ThermalLevel::heavy;
        case SystemThermalState::critical: return ThermalLevel::trapping;
        case SystemThermalState::nominal: break;
    }
    return ThermalLevel::nominal;
}

}  // namespace corvelle
