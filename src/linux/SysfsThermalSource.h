#pragma once

#include "linux/ThermalEvaluator.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/ThermalSource.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace corvelle {

// The thermal state from thermal zones and their trip points, coretemp limits, non-fan
// cooling devices and the processors' throttle counters. The files are found once, at
// construction; each evaluation reads only the changing values. A machine without any of
// them stays nominal and offers nothing to watch.
class SysfsThermalSource : public ThermalSource {
public:
    // How often a registered watch re-evaluates.
    static constexpr double kWatchInterval = 5.0;

    SysfsThermalSource(std::filesystem::path root, std::shared_ptr<const Clock> clock);
    ~SysfsThermalSource() override;
    SysfsThermalSource(const SysfsThermalSource&) = delete;
    SysfsThermalSource& operator=(const SysfsThermalSource&) = delete;

    SystemThermalState thermalState() override;
    int registerPressureWatch(EventLoop& loop, std::function<void()> onChange) override;
    std::optional<std::uint64_t> pressureState(int token) override;
    void cancelPressureWatch(int token) override;

    bool hasSources() const override;

private:
    struct SensorFiles {
        std::filesystem::path input;
        std::filesystem::path alarm;  // empty when there is none
        std::optional<double> fair, hot, critical;
    };
    struct Watch {
        EventLoop* loop = nullptr;
        TimerId timer = 0;
        int token = 0;
        std::function<void()> onChange;
        ThermalPressure notified = ThermalPressure::nominal;
    };

    void findZones();
    void findCoretempLimits();
    void findCoolingDevices();
    void findThrottleCounters();
    ThermalEvaluator::Readings read() const;
    ThermalPressure evaluate();
    void watchTick();

    std::filesystem::path root_;
    std::shared_ptr<const Clock> clock_;
    std::vector<SensorFiles> sensors_;
    std::vector<std::filesystem::path> coolingStates_;
    std::vector<std::filesystem::path> throttleCounters_;
    ThermalEvaluator evaluator_;
    std::optional<Watch> watch_;
    int lastToken_ = 0;
};

}  // namespace corvelle
