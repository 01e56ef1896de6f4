#pragma once

#include <string>

// The text catalogue, the panel's history and battery tabs and the energy rows they share with
// the processes tab. Figures arrive formatted.
namespace corvelle::L {

std::string temperaturesTitle();
std::string powerDrawTitle();
std::string resourcesTitle();
std::string gpu();
std::string total();
std::string fans();

std::string energyTitle();
// The energy chart's ranges: 0 hour, 1 day, 2 week, 3 all.
std::string energyRangeName(int range);
std::string latest();
std::string average();
std::string peak();
std::string waitingForPowerSamples();
std::string keepOpenForLiveData();
std::string noDataToday();
std::string energyNotYetAvailable();
std::string keepOpenForPowerData();
std::string noHistoricalData();
// A day of the week, 0 Sunday to 6 Saturday, in three letters.
std::string shortWeekday(int day);

std::string calculating();
std::string timeRemaining();
std::string usageVsNormal();
std::string systemPower();
// The usual level, and the ratio label while the present draw is close to it.
std::string normal();
std::string learningNormalUse();
std::string batteryHealthTitle();
std::string topEnergyUsersTitle();
std::string noProcessData();
std::string noBattery();
std::string noBatteryDetail();

}  // namespace corvelle::L
