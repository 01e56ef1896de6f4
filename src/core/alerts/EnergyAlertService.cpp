#include "alerts/EnergyAlertService.h"

#include "localization/LAlerts.h"
#include "util/AtomicFile.h"
#include "util/Format.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace corvelle {
namespace {

constexpr double kSpikeThreshold = 3.0;
constexpr double kMinimumCPU = 15.0;
constexpr double kCooldownSeconds = 300;
constexpr std::int64_t kMinSamples = 10;
constexpr double kPruneAge = 2'592'000;  // 30 days
constexpr double kSystemAlpha = 0.05;
constexpr double kBaselineFloor = 0.1;  // below this a baseline is not trusted as a divisor
constexpr std::int64_t kWeightCap = 1000;
constexpr std::int64_t kSampleCountCap = 10'000;

using PersistedBaseline = EnergyAlertService::PersistedBaseline;

// The shortest decimal text that reads back as the same value, always with a fraction
// ("1750000000.25", "1750000000.0").
std::string plainDecimal(double value) {
    std::array<char, 400> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (error != std::errc()) return formatString("%f", value);
    std::string text(buffer.data(), end);
    if (std::isfinite(value) && text.find('.') == std::string::npos) text += ".0";
    return text;
}

}  // namespace

EnergyAlertService::EnergyAlertService(std::shared_ptr<const Clock> clock, std::shared_ptr<EventLoop> eventLoop,
                                       DataFolder folder, std::shared_ptr<Notifier> notifier, double saveInterval)
    : clock_(std::move(clock)),
      eventLoop_(std::move(eventLoop)),
      notifier_(std::move(notifier)),
      file_(folder, folder.path() / "baselines.json"),
      saveInterval_(saveInterval) {
    folder.create();
    loadFromDisk();
    startSaveTimer();
}

EnergyAlertService::~EnergyAlertService() {
    if (saveTimer_) eventLoop_->cancel(*saveTimer_);
}

std::optional<EnergyAlert> EnergyAlertService::check(const std::vector<ProcStats>& processes) {
    const double now = clock_->uptime();
    std::optional<EnergyAlert> candidate;
    for (const auto& process : processes) {
        const double cpu = process.cpuPercent;
        // First, so the persisted average already holds the sample it is judged with.
        updatePersistedBaseline(process.name, cpu);
        const auto [it, firstSighting] = sessionBaselines_.try_emplace(process.pid, SessionBaseline{cpu, 1, {}});
        if (firstSighting) continue;
        auto& session = it->second;
        const auto* known = persisted(process.name);
        const double baseline = effectiveBaselineCPU(&session, known);
        const bool spiking = isLearnt(&session, known) && baseline > 0 &&
                             cpu / std::max(baseline, kBaselineFloor) > kSpikeThreshold && cpu > kMinimumCPU;
        if (spiking && (!session.lastAlertTime || now - *session.lastAlertTime > kCooldownSeconds)) {
            session.lastAlertTime = now;
            candidate = EnergyAlert{process.name, cpu, baseline};
        }
        // After the test, so a sample is never part of the baseline it is judged against.
        updateSessionBaseline(session, cpu);
    }
    std::erase_if(sessionBaselines_, [&](const auto& item) {
        return std::ranges::find(processes, item.first, &ProcStats::pid) == processes.end();
    });
    return candidate;
}

std::vector<ProcessComparison> EnergyAlertService::processComparisons(const std::vector<ProcStats>& processes,
                                                                      std::int64_t limit) const {
    std::vector<ProcessComparison> comparisons;
    for (const auto& process : processes) {
        const auto found = sessionBaselines_.find(process.pid);
        const auto* session = found == sessionBaselines_.end() ? nullptr : &found->second;
        const auto* known = persisted(process.name);
        const double baseline = effectiveBaselineCPU(session, known);
        if (!isLearnt(session, known) || !(baseline > kBaselineFloor)) continue;
        comparisons.push_back({process.name, process.cpuPercent, baseline, process.cpuPercent / baseline});
    }
    std::ranges::stable_sort(comparisons, std::ranges::greater{}, &ProcessComparison::ratio);
    comparisons.resize(std::min(comparisons.size(), static_cast<size_t>(std::max<std::int64_t>(limit, 0))));
    return comparisons;
}

void EnergyAlertService::send(const EnergyAlert& alert) const {
    if (!notifier_) return;
    const auto body = L::energyAlertBody(alert.name, formatString("%.0f%%", alert.currentCPU),
                                         formatString("%.0f%%", alert.baselineCPU));
    notifier_->post("corvelle-energy-" + alert.name + "-" + plainDecimal(clock_->now()), L::energyAlertTitle(), body,
                    true);
}

void EnergyAlertService::updateSystemWatts(double batteryWatts) {
    if (!(batteryWatts > 0) || !std::isfinite(batteryWatts)) return;
    systemWattsEMA_ = systemWattsEMA_ ? *systemWattsEMA_ + (batteryWatts - *systemWattsEMA_) * kSystemAlpha
                                      : batteryWatts;
    isDirty_ = true;
}

void EnergyAlertService::saveToDisk() {
    if (!isDirty_) return;
    if (file_.save(BaselinesFile{persistedBaselines_, systemWattsEMA_}.encode())) isDirty_ = false;
}

void EnergyAlertService::loadFromDisk() {
    const auto json = file_.load(clock_->now());
    if (!json) return;
    auto state = BaselinesFile::decodeValue(*json);
    if (!state) {
        file_.reject(clock_->now());
        return;
    }
    const double oldest = clock_->absoluteTime() - kPruneAge;
    std::erase_if(state->processBaselines, [oldest](const auto& item) { return !(item.second.lastSeen > oldest); });
    persistedBaselines_ = std::move(state->processBaselines);
    systemWattsEMA_ = state->systemWattsEMA;
}

void EnergyAlertService::startSaveTimer() {
    // The timers are cancelled by the destructor, so they never outlive the service.
    saveTimer_ = eventLoop_->startSingleShot(saveInterval_ / 2, [this] {
        saveToDisk();
        saveTimer_ = eventLoop_->startRepeating(saveInterval_, [this] { saveToDisk(); });
    });
}

void EnergyAlertService::updatePersistedBaseline(const std::string& name, double cpu) {
    const double now = clock_->absoluteTime();
    const auto [it, inserted] = persistedBaselines_.try_emplace(name, PersistedBaseline{cpu, 1, now});
    if (!inserted) {
        auto& baseline = it->second;
        const auto n = static_cast<double>(std::min(baseline.sampleCount, kWeightCap));
        baseline.avgCPU = (baseline.avgCPU * n + cpu) / (n + 1);
        baseline.sampleCount = std::min(baseline.sampleCount + 1, kSampleCountCap);
        baseline.lastSeen = now;
    }
    isDirty_ = true;
}

void EnergyAlertService::updateSessionBaseline(SessionBaseline& session, double cpu) {
    const auto n = static_cast<double>(session.sampleCount);
    session.avgCPU = (session.avgCPU * n + cpu) / (n + 1);
    session.sampleCount += 1;
}

const PersistedBaseline* EnergyAlertService::persisted(const std::string& name) const {
    const auto found = persistedBaselines_.find(name);
    return found == persistedBaselines_.end() ? nullptr : &found->second;
}

double EnergyAlertService::effectiveBaselineCPU(const SessionBaseline* session, const PersistedBaseline* persisted) {
    if (persisted && persisted->sampleCount >= kMinSamples) return persisted->avgCPU;
    if (session && session->sampleCount >= kMinSamples) return session->avgCPU;
    if (persisted) return persisted->avgCPU;
    if (session) return session->avgCPU;
    return 0;
}

bool EnergyAlertService::isLearnt(const SessionBaseline* session, const PersistedBaseline* persisted) {
    const std::int64_t sessionCount = session ? session->sampleCount : 0;
    if (persisted) return std::max(persisted->sampleCount, sessionCount) >= kMinSamples;
    return sessionCount >= kMinSamples;
}

}  // namespace corvelle
