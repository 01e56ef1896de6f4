#include "analysis/DidYouKnowEngine.h"

#include "analysis/AdviceFigures.h"
#include "localization/LAnalysis.h"
#include "localization/LFacts.h"
#include "util/EnumNames.h"
#include "util/Format.h"

#include <algorithm>
#include <array>

namespace corvelle {
namespace {
using Category = DidYouKnowEngine::Fact::Category;
constexpr std::array<std::string_view, 4> categoryNames{"Performance", "Power & Battery", "Temperature", "System"};
}  // namespace

std::string_view toRaw(Category category) { return rawName(category, categoryNames); }

template <>
std::optional<Category> fromRaw<Category>(std::string_view raw) {
    return caseNamed<Category>(raw, categoryNames);
}

namespace DidYouKnowEngine {
namespace {

using namespace AdviceFigures;
using Facts = std::vector<Fact>;

struct Inputs {
    const SystemStats& stats;
    const std::optional<ProfileClassification>& profile;
    const std::optional<HabitScore>& habitScore;
};

void add(Facts& facts, std::string id, std::string icon, std::string text, Category category) {
    facts.push_back({std::move(id), std::move(icon), std::move(text), category});
}

std::string_view profileIcon(UsageProfile profile) {
    switch (profile) {
        case UsageProfile::moderate: return "person.fill";
        case UsageProfile::powerUser: return "bolt.fill";
        case UsageProfile::creative: return "paintbrush.fill";
        case UsageProfile::developer: return "chevron.left.forwardslash.chevron.right";
        case UsageProfile::meeting: return "video.fill";
        case UsageProfile::light: break;
    }
    return "leaf.fill";
}

// The busiest group's share of the measured power. Its CPU figure counts percent of one core
// while the machine's counts percent of all cores together, so it is scaled by the core count;
// the share never exceeds the whole.
double topGroupWatts(const SystemStats& stats, const AppGroup& group) {
    const double cores = static_cast<double>(std::max<std::size_t>(stats.coreUsages.size(), 1));
    const double share = group.totalCPU / cores / std::max(stats.cpuTotalUsage, 1.0);
    return stats.totalPowerWatts * std::min(share, 1.0);
}

// Rules, in evaluation order.

void coreArchitecture(const Inputs& in, Facts& facts) {
    const auto eCores = in.stats.eCoreUsages.size();
    const auto pCores = in.stats.pCoreUsages.size();
    if (eCores == 0 || pCores == 0) return;
    add(facts, "core-arch", "cpu",
        L::factCoreArch(static_cast<std::int64_t>(eCores), static_cast<std::int64_t>(pCores)),
        Category::performance);
}

void topEnergy(const Inputs& in, Facts& facts) {
    const auto& groups = in.stats.appGroups;
    if (groups.empty() || groups.front().totalCPU <= 5.0 || in.stats.totalPowerWatts <= 0) return;
    add(facts, "top-energy", "bolt.fill",
        L::factTopEnergy(groups.front().name, formatString("%.1fW", topGroupWatts(in.stats, groups.front())),
                         wattsText(in.stats.totalPowerWatts)),
        Category::power);
}

void cycles(const Inputs& in, Facts& facts) {
    const auto count = in.stats.batteryCycleCount;
    if (count < 1) return;
    const double lifetimePercent = std::min(static_cast<double>(count) / 1000.0 * 100.0, 100.0);
    add(facts, "cycles", "arrow.triangle.2.circlepath", L::factCycles(count, wholePercentText(lifetimePercent)),
        Category::power);
}

void temperature(const Inputs& in, Facts& facts) {
    // A hybrid CPU's figure is its performance cores'; otherwise whichever group was read.
    const double celsius = in.stats.hasHybridCores() ? in.stats.pCoreTemp : std::max(in.stats.pCoreTemp, in.stats.eCoreTemp);
    if (celsius <= 0) return;
    add(facts, "temp-analogy", "thermometer.medium",
        L::factTempAnalogy(formatString("%.1f°C", celsius), L::tempAnalogy(celsius), in.stats.hasHybridCores()),
        Category::temperature);
}

std::string memoryText(const SystemStats& stats) {
    const std::string pct = wholePercentText(stats.memoryPressure);
    const std::string used = formatString("%.1f", gigabytes(stats.memoryUsed));
    const std::string total = formatString("%.0f", gigabytes(stats.memoryTotal));
    const bool compressing = stats.memoryCompressed > 0;
    if (stats.memoryPressure <= 50) return L::factMemoryLow(pct, used, total, compressing);
    if (stats.memoryPressure <= 75) return L::factMemoryMedium(pct, used, total, compressing);
    const AppGroup* top = largestMemoryUser(stats.appGroups);
    return L::factMemoryHigh(pct, used, total, top ? top->name : L::factUnknownApp(),
                             formatString("%.1f", top ? gigabytes(top->totalMemory) : 0.0));
}

void memory(const Inputs& in, Facts& facts) {
    if (in.stats.memoryTotal == 0 || in.stats.memoryUsed == 0) return;
    add(facts, "memory-status", "memorychip", memoryText(in.stats), Category::system);
}

void wattContext(const Inputs& in, Facts& facts) {
    const double watts = in.stats.batteryWatts;
    if (!in.stats.batteryIsPresent || in.stats.batteryIsPluggedIn || watts <= 0 || watts >= 30) return;
    add(facts, "watt-context", "iphone", L::factWattContext(wattsText(watts), formatString("%.1f", watts / 15.0)),
        Category::power);
}

void fanContext(const Inputs& in, Facts& facts) {
    const auto fastest = highestFanSpeed(in.stats.fanSpeeds);
    if (!fastest || *fastest < 1) return;
    add(facts, "fan-context", "fanblades.fill",
        L::factFanContext(L::fanContextDescription(*fastest), rpmString(*fastest)), Category::temperature);
}

void processCount(const Inputs& in, Facts& facts) {
    const auto total = in.stats.processCount;
    if (total < 6) return;
    const auto& groups = in.stats.appGroups;
    const auto apps = std::count_if(groups.begin(), groups.end(), [](const AppGroup& g) { return g.totalCPU > 1.0; });
    add(facts, "process-count", "gearshape.2", L::factProcessCount(total, apps),
        Category::system);
}

void habitScore(const Inputs& in, Facts& facts) {
    if (!in.habitScore || in.habitScore->overall < 1) return;
    add(facts, "habit-fact", "star.fill", L::factHabitScore(in.habitScore->overall, in.habitScore->grade),
        Category::power);
}

void profile(const Inputs& in, Facts& facts) {
    if (!in.profile) return;
    const UsageProfile primary = in.profile->primary;
    add(facts, "profile-fact", std::string(profileIcon(primary)),
        L::factProfile(L::usageProfileName(primary), L::usageProfileDescription(primary)), Category::system);
}

// A battery reporting more capacity than its design gives no "worn away" figure.
void healthContext(const Inputs& in, Facts& facts) {
    const auto& s = in.stats;
    if (s.batteryHealthPercent <= 0 || s.batteryHealthPercent >= 100) return;
    if (s.batteryDesignCapacityMAh < 1 || s.batteryMaxCapacityMAh < 1) return;
    if (s.batteryMaxCapacityMAh > s.batteryDesignCapacityMAh) return;
    add(facts, "health-context", "heart.fill",
        L::factHealthContext(wholePercentText(s.batteryHealthPercent), s.batteryDesignCapacityMAh,
                             s.batteryMaxCapacityMAh, s.batteryDesignCapacityMAh - s.batteryMaxCapacityMAh),
        Category::power);
}

using Rule = void (*)(const Inputs&, Facts&);
constexpr std::array<Rule, 11> rules{coreArchitecture, topEnergy,  cycles,       temperature, memory,       wattContext,
                                     fanContext,       processCount, habitScore, profile,     healthContext};

int score(const Fact& fact, const SystemStats& stats) {
    if (fact.id == "top-energy") return stats.cpuTotalUsage > 40 ? 3 : 0;
    if (fact.id == "temp-analogy") return stats.pCoreTemp > 70 ? 3 : 0;
    if (fact.id == "memory-status") return stats.memoryPressure > 75 ? 3 : 0;
    if (fact.id == "fan-context") {
        const auto fastest = highestFanSpeed(stats.fanSpeeds);
        return fastest && *fastest > 2000 ? 3 : 0;
    }
    if (fact.id == "cycles") return stats.batteryIsPluggedIn ? 0 : 2;
    if (fact.id == "core-arch") return 1;
    return 0;
}

// Highest score first; equal scores keep the rule order.
Facts prioritize(Facts facts, const SystemStats& stats) {
    std::stable_sort(facts.begin(), facts.end(),
                     [&](const Fact& a, const Fact& b) { return score(a, stats) > score(b, stats); });
    return facts;
}

}  // namespace

std::vector<Fact> generate(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                           const std::optional<BatteryHealthPrediction>&, const std::optional<HabitScore>& habitScore,
                           std::size_t limit) {
    const Inputs in{stats, profile, habitScore};
    Facts facts;
    for (Rule rule : rules) rule(in, facts);
    facts = prioritize(std::move(facts), stats);
    if (facts.size() > limit) facts.resize(limit);
    return facts;
}

}  // namespace DidYouKnowEngine
}  // namespace corvelle
