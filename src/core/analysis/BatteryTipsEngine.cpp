#include "analysis/BatteryTipsEngine.h"

#include "analysis/AdviceFigures.h"
#include "localization/LAnalysis.h"
#include "localization/LBatteryCare.h"
#include "localization/LTips.h"
#include "util/Format.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <string_view>

namespace corvelle::BatteryTipsEngine {
namespace {

using namespace AdviceFigures;
using Severity = BatteryTip::Severity;
using Tips = std::vector<BatteryTip>;

constexpr std::size_t maxTips = 6;
constexpr std::uint64_t memoryHogBytes = 104857600;  // 100 MiB

// Everything a rule looks at, with the figures several rules derive.
struct Inputs {
    const SystemStats& stats;
    const std::optional<ProfileClassification>& profile;
    const std::optional<BatteryHealthPrediction>& prediction;
    const std::optional<HabitScore>& habitScore;
    CareControls controls;
    bool onBattery;                  // a battery that runs the machine now
    std::optional<double> percent;   // its charge, absent when it reports none
    const ProcStats* topProcess;  // the busiest process, the first of equals; null without processes
};

std::string joinNames(const std::vector<std::string>& names);

const ProcStats* busiestProcess(const std::vector<ProcStats>& processes) {
    const ProcStats* top = nullptr;
    for (const auto& process : processes) {
        if (!top || process.cpuPercent > top->cpuPercent) top = &process;
    }
    return top;
}

std::string topProcessNameOr(const Inputs& in, const std::string& fallback) {
    return in.topProcess ? in.topProcess->name : fallback;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

// Whole minutes of a duration in seconds; 0 for anything that is not a positive number.
std::int64_t wholeMinutes(double seconds) {
    if (!(seconds > 0)) return 0;
    return static_cast<std::int64_t>(std::min(seconds / 60, 1e15));
}

bool hasId(const Tips& tips, std::string_view id) {
    return std::any_of(tips.begin(), tips.end(), [&](const BatteryTip& t) { return t.id == id; });
}

bool hasIdPrefix(const Tips& tips, std::string_view prefix) {
    return std::any_of(tips.begin(), tips.end(), [&](const BatteryTip& t) { return t.id.starts_with(prefix); });
}

void removeId(Tips& tips, std::string_view id) {
    std::erase_if(tips, [&](const BatteryTip& t) { return t.id == id; });
}

bool isFastWear(const std::optional<BatteryHealthPrediction>& prediction) {
    return prediction && (prediction->degradationRate == DegradationRate::accelerated ||
                          prediction->degradationRate == DegradationRate::severe);
}

std::string dropPerCycleText(const BatteryHealthPrediction& prediction) {
    return formatString("%.3f%%", prediction.healthDropPerCycle);
}

void add(Tips& tips, std::string id, std::string icon, TipContent text, int priority, Severity severity) {
    tips.push_back({std::move(id), std::move(icon), std::move(text.title), std::move(text.detail), priority, severity});
}

// Rules, in evaluation order. Each appends the tip its condition asks for, if any.

void thermal(const Inputs& in, Tips& tips) {
    if (!in.stats.thermalLevel || toRaw(*in.stats.thermalLevel) < toRaw(ThermalLevel::heavy)) return;
    add(tips, "thermal", "flame.fill", L::tipThermal(L::tipThermalSuggestion(topOffendersList(in.stats.appGroups, 3, in.stats.coreUsages.size()))),
        1, Severity::critical);
}

void batteryCritical(const Inputs& in, Tips& tips) {
    if (!in.onBattery || !in.percent || *in.percent >= 10) return;
    add(tips, "battery-critical", "battery.0percent",
        L::tipBatteryCritical(L::tipBatteryCriticalWho(topOffendersList(in.stats.appGroups, 2, in.stats.coreUsages.size()))), 2,
        Severity::critical);
}

void processSpike(const Inputs& in, Tips& tips) {
    const auto& comparisons = in.stats.processComparisons;
    const auto spike = std::find_if(comparisons.begin(), comparisons.end(), [](const ProcessComparison& c) {
        return c.ratio > 3.0 && c.currentCPU > 15.0;
    });
    if (spike == comparisons.end()) return;
    add(tips, "process-" + spike->name, "exclamationmark.arrow.circlepath",
        L::tipProcessSpike(spike->name, formatString("%.0f", spike->ratio)), 3, Severity::warning);
}

void highWatts(const Inputs& in, Tips& tips) {
    if (!in.onBattery || in.stats.batteryWatts <= 15.0) return;
    add(tips, "high-watts", "bolt.trianglebadge.exclamationmark.fill",
        L::tipHighWatts(topOffendersList(in.stats.appGroups, 3, in.stats.coreUsages.size()), wattsText(in.stats.batteryWatts)), 4,
        Severity::warning);
}

void batteryLow(const Inputs& in, Tips& tips) {
    if (!in.onBattery || !in.percent || *in.percent < 10 || *in.percent >= 20) return;
    TipContent text = L::tipBatteryLow(L::tipBatteryLowExtra(topOffendersList(in.stats.appGroups, 2, in.stats.coreUsages.size())));
    if (in.controls.powerModes) text.detail += L::tipPowerModeExtra();
    add(tips, "battery-low", "battery.25percent", std::move(text), 5, Severity::warning);
}

void memoryPressure(const Inputs& in, Tips& tips) {
    if (in.stats.memoryPressure <= 75) return;
    add(tips, "memory-pressure", "memorychip",
        L::tipMemoryPressure(L::tipMemoryPressureWho(topMemoryUsersList(in.stats.appGroups, 3))), 6,
        Severity::warning);
}

// A discrete GPU awake on battery beside an integrated one that could do its work: who keeps it
// awake and what it costs. The programs that used it since the last reading are named; when none
// did, those holding it open.
void discreteGpuAwake(const Inputs& in, Tips& tips) {
    const auto& gpus = in.stats.gpus;
    const auto awake = std::find_if(gpus.begin(), gpus.end(), [](const GpuStatus& gpu) {
        return gpu.isDiscrete() && gpu.state == GpuState::active;
    });
    const bool integrated = std::any_of(gpus.begin(), gpus.end(), [](const GpuStatus& gpu) { return !gpu.isDiscrete(); });
    if (!in.onBattery || awake == gpus.end() || !integrated) return;
    std::vector<std::string> working, holding;
    for (auto& user : gpuUsers(*awake)) {
        (user.busyPercent.value_or(0) > 0 ? working : holding).push_back(std::move(user.name));
    }
    auto& names = working.empty() ? holding : working;
    if (names.size() > 3) names.resize(3);
    const double watts = awake->powerWatts.value_or(0);
    add(tips, "discrete-gpu-awake", "display",
        L::tipDiscreteGpuAwake(joinNames(names), names.size(), watts > 0 ? wattsText(watts) : ""), 6, Severity::warning);
}

void cpuBusy(const Inputs& in, Tips& tips) {
    if (in.stats.pCoreAverage <= 60) return;
    std::optional<std::string> name;
    std::string cpuPercent;
    if (in.topProcess) {
        name = in.topProcess->name;
        cpuPercent = formatString("%.1f%%", machineShare(in.topProcess->cpuPercent, in.stats.coreUsages.size()));
    }
    add(tips, "cpu-busy", "cpu",
        {L::tipCPUBusyTitle(name), L::tipCPUBusy(L::tipCPUBusyWho(name, cpuPercent),
                                                 wholePercentText(in.stats.pCoreAverage), in.stats.hasHybridCores())},
        7, Severity::info);
}

void unplug(const Inputs& in, Tips& tips) {
    if (in.onBattery || in.stats.batteryIsCharging || !in.percent || *in.percent <= 80) return;
    add(tips, "unplug-tip", "powerplug", L::tipUnplug(), 9, Severity::info);
}

void aboveBaseline(const Inputs& in, Tips& tips) {
    const double baseline = in.stats.systemBaselineWatts;
    const double watts = in.stats.batteryWatts;
    if (!in.onBattery || baseline <= 0 || watts <= 2 * baseline) return;
    add(tips, "above-baseline", "chart.line.uptrend.xyaxis",
        L::tipAboveBaseline(formatString("%.0f", watts / baseline), wattsText(watts), wattsText(baseline),
                            L::tipAboveBaselineExtra(topOffendersList(in.stats.appGroups, 2, in.stats.coreUsages.size()))),
        8, Severity::info);
}

void greatEfficiency(const Inputs& in, Tips& tips) {
    const double watts = in.stats.batteryWatts;
    if (!in.onBattery || watts <= 0 || watts >= 5.0) return;
    add(tips, "great-efficiency", "leaf.fill", L::tipGreatEfficiency(wattsText(watts)), 10, Severity::info);
}

void healthyRange(const Inputs& in, Tips& tips) {
    if (!in.onBattery || !in.percent || *in.percent < 20 || *in.percent > 80) return;
    add(tips, "healthy-range", "heart.fill", L::tipHealthyRange(), 18, Severity::info);
}

void coresActive(const Inputs& in, Tips& tips) {
    // Only a hybrid CPU has fast cores to wake.
    const double pCores = in.stats.pCoreAverage;
    if (!in.stats.hasHybridCores() || pCores <= 30 || pCores > 60) return;
    add(tips, "cores-active", "bolt.fill", L::tipCoresActive(topProcessNameOr(in, L::tipUnknownApp())), 17,
        Severity::info);
}

void fansSpinning(const Inputs& in, Tips& tips) {
    const auto fastest = highestFanSpeed(in.stats.fanSpeeds);
    if (!fastest || *fastest <= 2000) return;
    add(tips, "fans-spinning", "fanblades.fill",
        L::tipFansSpinning(topProcessNameOr(in, L::tipYourWorkload()), rpmString(*fastest)), 16, Severity::info);
}

void diskBusy(const Inputs& in, Tips& tips) {
    const auto bytesPerSecond = saturatingSum(in.stats.diskReadBytesPerSec, in.stats.diskWriteBytesPerSec);
    if (bytesPerSecond <= 100000000) return;
    add(tips, "disk-busy", "internaldrive",
        L::tipDiskBusy(topProcessNameOr(in, L::tipUnknownApp()), throughputString(bytesPerSecond)), 19,
        Severity::info);
}

void networkActive(const Inputs& in, Tips& tips) {
    const auto bytesPerSecond = saturatingSum(in.stats.networkInBytesPerSec, in.stats.networkOutBytesPerSec);
    if (bytesPerSecond <= 5000000) return;
    add(tips, "network-active", "network",
        L::tipNetworkActive(topProcessNameOr(in, L::tipUnknownApp()), throughputString(bytesPerSecond)), 20,
        Severity::info);
}

void chargeTo100(const Inputs& in, Tips& tips) {
    if (in.onBattery || !in.stats.batteryIsCharging || !in.percent || *in.percent < 99) return;
    TipContent text = L::tipCharge100();
    if (in.controls.chargeLimit) text.detail += L::tipChargeLimitExtra();
    add(tips, "charge-100-warn", "battery.100percent.bolt", std::move(text), 15, Severity::info);
}

void idleEfficiency(const Inputs& in, Tips& tips) {
    const double watts = in.stats.batteryWatts;
    const double secondsLeft = in.stats.batteryTimeRemaining;
    if (!in.onBattery || watts <= 0 || watts >= 3.0 || !(secondsLeft > 0)) return;
    add(tips, "idle-efficiency", "moon.fill",
        L::tipSuperIdle(wattsText(watts), formatString("%.0f", secondsLeft / 3600)), 21, Severity::info);
}

void memoryEarly(const Inputs& in, Tips& tips) {
    const double pressure = in.stats.memoryPressure;
    if (pressure <= 50 || pressure > 75) return;
    const AppGroup* largest = largestMemoryUser(in.stats.appGroups);
    const std::string appInfo = largest ? L::tipMemoryEarlyAppInfo(largest->name, bytesString(largest->totalMemory))
                                        : L::tipMemoryEarlyAppInfoFallback();
    add(tips, "memory-early", "memorychip",
        L::tipMemoryEarly(formatString("%.1f", gigabytes(in.stats.memoryUsed)),
                          formatString("%.0f", gigabytes(in.stats.memoryTotal)), appInfo),
        16, Severity::info);
}

void goodHabits(const Inputs& in, Tips& tips) {
    if (!in.habitScore || in.habitScore->overall < 80) return;
    add(tips, "good-habits", "star.fill", L::tipGoodHabits(in.habitScore->grade, in.habitScore->overall), 22,
        Severity::info);
}

void heavyApp(const Inputs& in, Tips& tips) {
    const auto& groups = in.stats.appGroups;
    if (groups.empty() || groups.front().totalCPU <= 25) return;
    if (hasId(tips, "cpu-busy") || hasIdPrefix(tips, "process-")) return;
    add(tips, "heavy-app", "cpu", L::tipHeavyApp(groups.front().name, wholePercentText(machineShare(groups.front().totalCPU, in.stats.coreUsages.size()))), 16,
        Severity::info);
}

void powerUserProfile(const Inputs& in, Tips& tips) {
    const auto& groups = in.stats.appGroups;
    const auto activeApps = std::count_if(groups.begin(), groups.end(), [](const AppGroup& g) { return g.totalCPU > 3.0; });
    if (activeApps < 9) return;
    add(tips, "profile-power", "bolt.fill", L::tipProfilePower(activeApps), 12, Severity::info);
}

void creativeProfile(const Inputs& in, Tips& tips) {
    if (in.stats.gpuPowerWatts <= 3.0) return;
    add(tips, "profile-creative", "paintbrush.fill", L::tipProfileCreative(wattsText(in.stats.gpuPowerWatts)), 11,
        Severity::info);
}

// The groups that count as the build in the developer tip: compilers and build tools, matched exactly.
constexpr std::array<std::string_view, 10> buildToolNames{
    "Xcode", "swift-build", "swift-frontend", "cc1plus", "cc1", "rustc", "go", "javac", "ninja", "make"};

// Only the first build tool in the list counts, however busy a later one is.
void developerProfile(const Inputs& in, Tips& tips) {
    const auto& groups = in.stats.appGroups;
    const auto build = std::find_if(groups.begin(), groups.end(), [](const AppGroup& g) {
        return std::find(buildToolNames.begin(), buildToolNames.end(), g.name) != buildToolNames.end();
    });
    if (build == groups.end() || build->totalCPU <= 30) return;
    add(tips, "profile-dev", "chevron.left.forwardslash.chevron.right",
        L::tipProfileDev(build->name, wattsText(in.stats.batteryWatts)), 11, Severity::info);
}

void meetingProfile(const Inputs& in, Tips& tips) {
    if (!in.percent || *in.percent >= 40) return;
    add(tips, "profile-meeting", "video.fill",
        L::tipProfileMeeting(L::tipProfileMeetingWarning(wholeMinutes(in.stats.batteryTimeRemaining))), 11,
        Severity::warning);
}

void profile(const Inputs& in, Tips& tips) {
    if (!in.profile || !in.onBattery) return;
    switch (in.profile->primary) {
        case UsageProfile::powerUser: return powerUserProfile(in, tips);
        case UsageProfile::creative: return creativeProfile(in, tips);
        case UsageProfile::developer: return developerProfile(in, tips);
        case UsageProfile::meeting: return meetingProfile(in, tips);
        case UsageProfile::light:
        case UsageProfile::moderate: return;
    }
}

void degradation(const Inputs& in, Tips& tips) {
    if (!isFastWear(in.prediction)) return;
    const auto& prediction = *in.prediction;
    add(tips, "degradation-warning", "heart.fill",
        L::tipDegradationWarning(dropPerCycleText(prediction), L::degradationRateName(prediction.degradationRate)),
        13, prediction.degradationRate == DegradationRate::severe ? Severity::warning : Severity::info);
}

void healthPrediction(const Inputs& in, Tips& tips) {
    if (!in.prediction || in.prediction->confidenceLevel == ConfidenceLevel::low) return;
    const auto months = in.prediction->estimatedMonthsTo80;
    if (!months || *months > 23) return;
    add(tips, "health-prediction", "chart.line.downtrend.xyaxis", L::tipHealthPrediction(*months), 14,
        Severity::info);
}

void habitWarnings(const Inputs& in, Tips& tips) {
    if (!in.prediction) return;
    const auto& warnings = in.prediction->habitWarnings;
    for (std::size_t i = 0; i < std::min<std::size_t>(warnings.size(), 2); ++i) {
        const HabitWarning& w = warnings[i];
        add(tips, "habit-" + w.id, w.icon, {w.title, w.detail}, 15 + static_cast<int>(i),
            w.severity == HabitSeverity::critical ? Severity::warning : Severity::info);
    }
}

using Rule = void (*)(const Inputs&, Tips&);
constexpr std::array<Rule, 25> rules{
    thermal,       batteryCritical, processSpike, highWatts,    batteryLow,     memoryPressure, discreteGpuAwake,
    cpuBusy,       unplug,          aboveBaseline, greatEfficiency, healthyRange, coresActive,
    fansSpinning,  diskBusy,        networkActive, chargeTo100,  idleEfficiency, memoryEarly,
    goodHabits,    heavyApp,        profile,      degradation,  healthPrediction, habitWarnings,
};

// Removes tips that contradict another finding. The two pair checks near the end look at the
// ids present before any removal.
void suppressContradictions(Tips& tips, const Inputs& in) {
    std::set<std::string> initial;
    for (const auto& tip : tips) initial.insert(tip.id);
    const auto hadInitially = [&](const char* id) { return initial.count(id) > 0; };

    if (isFastWear(in.prediction) && hadInitially("good-habits") && in.habitScore) {
        removeId(tips, "good-habits");
        const auto warning =
            std::find_if(tips.begin(), tips.end(), [](const BatteryTip& t) { return t.id == "degradation-warning"; });
        if (warning != tips.end()) {
            TipContent text = L::tipDegradationDespiteGoodHabits(in.habitScore->grade, dropPerCycleText(*in.prediction));
            warning->icon = "heart.fill";
            warning->title = std::move(text.title);
            warning->detail = std::move(text.detail);
        }
    }
    if (in.onBattery && in.percent && *in.percent < 20) {
        removeId(tips, "great-efficiency");
        removeId(tips, "idle-efficiency");
    }
    if (in.prediction && std::any_of(in.prediction->habitWarnings.begin(), in.prediction->habitWarnings.end(),
                                     [](const HabitWarning& w) { return w.severity == HabitSeverity::critical; })) {
        removeId(tips, "good-habits");
    }
    if (hadInitially("great-efficiency") && hadInitially("idle-efficiency")) removeId(tips, "idle-efficiency");
    if (hadInitially("cpu-busy") && hadInitially("cores-active")) removeId(tips, "cores-active");
    if (hasIdPrefix(tips, "profile-")) removeId(tips, "heavy-app");
}

// Most important first (evaluation order among equals), one tip per id, at most six.
Tips ranked(Tips tips) {
    std::stable_sort(tips.begin(), tips.end(),
                     [](const BatteryTip& a, const BatteryTip& b) { return a.priority < b.priority; });
    Tips result;
    std::set<std::string> seen;
    for (auto& tip : tips) {
        if (result.size() == maxTips) break;
        if (seen.insert(tip.id).second) result.push_back(std::move(tip));
    }
    return result;
}

// "A", "A and B", "A, B and C".
std::string joinNames(const std::vector<std::string>& names) {
    if (names.empty()) return {};
    std::string joined = names.front();
    for (std::size_t i = 1; i + 1 < names.size(); ++i) joined += ", " + names[i];
    if (names.size() > 1) joined += L::listLastJoiner() + names.back();
    return joined;
}

}  // namespace

std::string topOffendersList(const std::vector<AppGroup>& groups, std::size_t limit, std::size_t coreCount) {
    std::vector<std::string> names;
    for (const auto& group : groups) {
        if (names.size() >= limit) break;
        if (group.totalCPU > 5.0) {
            names.push_back(group.name + " (" + wholePercentText(machineShare(group.totalCPU, coreCount)) + ")");
        }
    }
    return joinNames(names);
}

std::string topMemoryUsersList(const std::vector<AppGroup>& groups, std::size_t limit) {
    std::vector<const AppGroup*> byMemory;
    for (const auto& group : groups) {
        if (group.totalMemory > memoryHogBytes) byMemory.push_back(&group);
    }
    std::stable_sort(byMemory.begin(), byMemory.end(),
                     [](const AppGroup* a, const AppGroup* b) { return a->totalMemory > b->totalMemory; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < std::min(limit, byMemory.size()); ++i) {
        names.push_back(byMemory[i]->name + " (" + bytesString(byMemory[i]->totalMemory) + ")");
    }
    return joinNames(names);
}

std::vector<BatteryTip> generate(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                                 const std::optional<BatteryHealthPrediction>& prediction,
                                 const std::optional<HabitScore>& habitScore, CareControls controls) {
    const bool battery = stats.batteryIsPresent;
    const Inputs in{stats,
                    profile,
                    prediction,
                    habitScore,
                    controls,
                    battery && !stats.batteryIsPluggedIn,
                    battery ? stats.batteryPercentage : std::nullopt,
                    busiestProcess(stats.topProcesses)};
    Tips tips;
    for (Rule rule : rules) rule(in, tips);
    suppressContradictions(tips, in);
    return ranked(std::move(tips));
}

}  // namespace corvelle::BatteryTipsEngine
