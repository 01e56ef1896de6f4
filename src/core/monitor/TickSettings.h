#pragma once

#include "present/StatusItemComposer.h"
#include "settings/AppSettings.h"

#include <cstdint>

namespace corvelle {

// The settings one tick uses, read once at its start so every step sees the same values.
struct TickSettings {
    std::int64_t maxProcesses = 0;
    bool alertsEnergy = false;
    double pollingInterval = 0;
    StatusItemComposer::TitleOptions titleOptions;

    static TickSettings read(const AppSettings& settings) {
        return {settings.maxProcesses(), settings.alertsEnergy(), settings.pollingInterval(),
                StatusItemComposer::titleOptions(settings)};
    }
};

}  // namespace corvelle
