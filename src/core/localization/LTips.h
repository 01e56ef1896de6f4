#pragma once

#include "model/TipContent.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The text catalogue, battery tips. Arguments arrive formatted ("12.5 W", "40%") unless they are
// counts; offender lists arrive joined ("AppA (40%) and AppB (22%)") and may be empty.
namespace corvelle::L {

TipContent tipThermal(const std::string& suggestion);
std::string tipThermalSuggestion(const std::string& offenders);
TipContent tipBatteryCritical(const std::string& who);
std::string tipBatteryCriticalWho(const std::string& offenders);
TipContent tipProcessSpike(const std::string& name, const std::string& timesMore);
TipContent tipHighWatts(const std::string& offenders, const std::string& watts);
TipContent tipBatteryLow(const std::string& extra);
std::string tipBatteryLowExtra(const std::string& offenders);
TipContent tipMemoryPressure(const std::string& who);
std::string tipMemoryPressureWho(const std::string& memHogs);
std::string tipCPUBusyTitle(const std::optional<std::string>& name);
std::string tipCPUBusyWho(const std::optional<std::string>& name, const std::string& cpuPct);
// The detail of the busy-CPU tip; its title is tipCPUBusyTitle.
std::string tipCPUBusy(const std::string& who, const std::string& coreAvg, bool hybrid);
TipContent tipUnplug();
TipContent tipAboveBaseline(const std::string& timesMore, const std::string& currentWatts,
                            const std::string& baselineWatts, const std::string& extra);
std::string tipAboveBaselineExtra(const std::string& offenders);
TipContent tipGreatEfficiency(const std::string& watts);
TipContent tipHealthyRange();
TipContent tipCoresActive(const std::string& appName);
TipContent tipFansSpinning(const std::string& appName, const std::string& rpm);
TipContent tipDiskBusy(const std::string& appName, const std::string& throughput);
TipContent tipNetworkActive(const std::string& appName, const std::string& throughput);
TipContent tipCharge100();
TipContent tipSuperIdle(const std::string& watts, const std::string& hoursLeft);
TipContent tipMemoryEarly(const std::string& usedGB, const std::string& totalGB, const std::string& appInfo);
std::string tipMemoryEarlyAppInfo(const std::string& name, const std::string& memStr);
std::string tipMemoryEarlyAppInfoFallback();
TipContent tipGoodHabits(const std::string& grade, std::int64_t score);
TipContent tipHeavyApp(const std::string& name, const std::string& cpuPct);
TipContent tipProfilePower(std::int64_t activeApps);
TipContent tipProfileCreative(const std::string& gpuWatts);
TipContent tipProfileDev(const std::string& name, const std::string& watts);
TipContent tipProfileMeeting(const std::string& meetingWarning);
std::string tipProfileMeetingWarning(std::int64_t minutesLeft);
TipContent tipDegradationWarning(const std::string& dropPerCycle, const std::string& rate);
TipContent tipHealthPrediction(std::int64_t months);
TipContent tipDegradationDespiteGoodHabits(const std::string& grade, const std::string& dropPerCycle);
// A discrete GPU awake on battery: `who` the programs using it, joined, `count` how many (empty
// and 0 when none is known); `watts` its draw, empty when unknown.
TipContent tipDiscreteGpuAwake(const std::string& who, std::size_t count, const std::string& watts);

// Stand-in for the busiest process when there is none; the same word in both languages.
std::string tipUnknownApp();
// Stand-in for the busiest process in the fan tip.
std::string tipYourWorkload();
// Joins the last item of a list of names: " and " / " y ".
std::string listLastJoiner();

}  // namespace corvelle::L
