#include "sampling/ProcessMonitor.h"

#include "sampling/AppScope.h"
#include "util/UnicodeNumeric.h"
#include "util/Utf8.h"

#include <algorithm>
#include <array>

namespace corvelle {
namespace {

constexpr double kMaxPercent = 999.9;
constexpr std::array<std::string_view, 8> kFolderPieces = {"versions", "bin",   "lib",   "sbin",
                                                           "usr",      "local", "share", "opt"};

// A piece made only of numeric characters and dots, such as a version number.
bool isVersionPiece(std::string_view piece) {
    size_t pos = 0;
    while (pos < piece.size()) {
        const char32_t cp = Utf8::next(piece, pos);
        if (cp != U'.' && !hasNumericValue(cp)) return false;
    }
    return true;
}

bool isSkippedPiece(std::string_view piece) {
    return isVersionPiece(piece) || std::ranges::find(kFolderPieces, piece) != kFolderPieces.end();
}

// The name between the last "/" before the first ".app" and that ".app".
std::optional<std::string> bundleName(std::string_view path) {
    const auto app = path.find(".app");
    if (app == std::string_view::npos) return std::nullopt;
    const auto slash = path.substr(0, app).rfind('/');
    if (slash == std::string_view::npos || slash + 1 == app) return std::nullopt;
    return Utf8::repaired(path.substr(slash + 1, app - slash - 1));
}

bool sameProcess(const ProcessTable::Task& task, std::uint64_t startTime, const std::string& shortName) {
    return task.startTime == startTime && task.shortName == shortName;
}

double rise(std::uint64_t now, std::uint64_t before) { return now > before ? static_cast<double>(now - before) : 0; }

}  // namespace

ProcessMonitor::ProcessMonitor(std::unique_ptr<ProcessTable> table, std::shared_ptr<const Clock> clock,
                               std::unique_ptr<DesktopEntries> desktopEntries,
                               std::shared_ptr<const SortKeys> sortKeys)
    : table_(std::move(table)),
      clock_(std::move(clock)),
      desktopEntries_(std::move(desktopEntries)),
      sortKeys_(std::move(sortKeys)) {
    setLanguage("en", "Linux kernel");
}

void ProcessMonitor::setLanguage(std::string_view language, std::string_view kernelName) {
    if (kernel_.name != kernelName) {
        kernel_.name = kernelName;
        kernel_.nameKey = nameSortKey(sortKeys_.get(), kernelName);
    }
    if (language == language_) return;
    language_ = language;
    appNames_.clear();
    ++languageChange_;
}

double ProcessMonitor::weightingFactor(const std::optional<CoreContext>& coreContext) {
    if (!coreContext) return 1.5;
    const double sum = coreContext->eCoreAverage + coreContext->pCoreAverage;
    if (sum > 0) return 1.0 + 1.5 * coreContext->pCoreAverage / sum;
    return 1.0;
}

std::optional<std::string> ProcessMonitor::resolveNameFromPath(std::string_view path) {
    if (auto name = bundleName(path)) return name;
    size_t end = path.size();
    while (end > 0) {
        const auto slash = path.rfind('/', end - 1);
        const size_t begin = slash == std::string_view::npos ? 0 : slash + 1;
        const auto piece = path.substr(begin, end - begin);
        if (!piece.empty() && !isSkippedPiece(piece)) return Utf8::repaired(piece);
        if (slash == std::string_view::npos) break;
        end = slash;
    }
    return std::nullopt;
}

std::vector<ProcStats> ProcessMonitor::sample(const std::optional<CoreContext>& coreContext,
                                              std::int64_t maxProcesses) {
    ++tick_;
    count_ = 0;
    candidates_.clear();
    userPids_.clear();
    newPids_.clear();
    activePids_.clear();
    kernelRow_.reset();
    factor_ = weightingFactor(coreContext);
    const double now = clock_->uptime();
    fullRead_ = now - lastFullRead_ >= kFullReadInterval;
    if (fullRead_) lastFullRead_ = now;
    if (!table_ || !table_->listPids(pids_)) pids_.clear();
    for (const auto pid : pids_) {
        if (pid > 0) sampleProcess(pid, now);
    }
    if (kernelRow_) candidates_.push_back(*kernelRow_);
    std::erase_if(previousSamples_, [this](const auto& item) { return item.second.listedIn != tick_; });
    return top({}, maxProcesses);
}

std::vector<ProcStats> ProcessMonitor::top(const ProcessOrder& order, std::int64_t maxProcesses) {
    // The name key is fetched only when names order: it lies apart from the candidate.
    const bool byName = order.key == ProcessOrder::Key::name;
    const auto values = [this, byName](const Candidate& c) {
        const auto nameKey = byName ? std::string_view(c.entry->nameKey) : std::string_view();
        return ProcessOrder::Values{c.cpuPercent, c.memoryBytes, c.cpuPercent * factor_, nameKey};
    };
    return first(maxProcesses,
                 [&](const Candidate& a, const Candidate& b) { return order.before(values(a), values(b)); });
}

void ProcessMonitor::sampleProcess(std::int32_t pid, double now) {
    const auto found = previousSamples_.find(pid);
    PreviousSample* known = found == previousSamples_.end() ? nullptr : &found->second;
    if (known) known->listedIn = tick_;
    // A process that did not run kept its counters, threads and (but for reclaim) its memory.
    // Its memory is read again on the slow rounds and while it is on screen.
    const bool memoryDue = fullRead_ || std::ranges::binary_search(shown_, pid);
    if (known && mayReuse(pid, *known, memoryDue)) {
        known->timestamp = now;
        addCandidate(pid, *known, 0);
        return;
    }
    if (!table_->readTask(pid, task_)) return;
    // Counters are timed when they are read: on a busy machine a pass over hundreds of processes
    // takes long enough that the tick's start would skew a busy process's share.
    now = clock_->uptime();

    // The name only changes with the process behind the pid (reuse or exec), so it is
    // resolved once per process rather than once per tick. Kernel threads need none.
    const bool sameName = known && sameProcess(task_, known->startTime, known->shortName);
    if (!sameName && !task_.isKernelThread && !resolveName(pid, resolvedName_)) return;

    // The table could not tell it idle, or its counters moved: it may have run.
    const bool ran = !sameName || !memoryDue || task_.userTime != known->userTime || task_.systemTime != known->systemTime;
    if (ran && !task_.isKernelThread) activePids_.push_back(pid);
    const double percent = known ? cpuPercent(task_, *known, now) : 0;
    PreviousSample& entry = known ? *known : previousSamples_[pid];
    entry.userTime = task_.userTime;
    entry.systemTime = task_.systemTime;
    entry.timestamp = now;
    entry.memoryBytes = task_.residentSize;
    entry.threadCount = task_.threadCount;
    entry.listedIn = tick_;
    if (!sameName) {
        entry.startTime = task_.startTime;
        entry.shortName = task_.shortName;
        entry.isKernelThread = task_.isKernelThread;
        entry.name = task_.isKernelThread ? std::string() : resolvedName_;
        entry.nameKey = nameSortKey(sortKeys_.get(), entry.name);
        entry.controlGroup.clear();
        if (!entry.isKernelThread && table_->controlGroup(pid, controlGroup_)) entry.controlGroup = controlGroup_;
        entry.language = 0;
        if (!entry.isKernelThread) newPids_.push_back(pid);
    }
    addCandidate(pid, entry, percent);
}

// A kernel thread has no memory of its own to read again.
bool ProcessMonitor::mayReuse(std::int32_t pid, const PreviousSample& known, bool memoryDue) {
    return (!memoryDue || known.isKernelThread) && table_->isIdle(pid);
}

void ProcessMonitor::setShown(const std::vector<ProcStats>& shown) {
    shown_.clear();
    for (const auto& process : shown) shown_.push_back(process.pid);
    std::ranges::sort(shown_);
}

std::string_view ProcessMonitor::displayName(std::int32_t pid) const {
    const auto found = previousSamples_.find(pid);
    if (found == previousSamples_.end()) return {};
    const PreviousSample& entry = found->second;
    return entry.appName.empty() ? entry.name : entry.appName;
}

void ProcessMonitor::addCandidate(std::int32_t pid, PreviousSample& entry, double percent) {
    ++count_;
    const size_t order = candidates_.size() + (kernelRow_ ? 1 : 0);
    if (entry.isKernelThread) {
        if (!kernelRow_) kernelRow_ = Candidate{order, 0, 0, &kernel_, 0, 0};
        kernelRow_->cpuPercent = std::min(kernelRow_->cpuPercent + percent, kMaxPercent);
        kernelRow_->memoryBytes += entry.memoryBytes;
        kernelRow_->threadCount += entry.threadCount;
        return;
    }
    if (entry.language != languageChange_) resolveApp(entry);
    userPids_.push_back(pid);
    candidates_.push_back({order, pid, percent, &entry, entry.memoryBytes, entry.threadCount});
}

// The application name comes from the desktop entry the process's unit names, read once per
// desktop id and language.
void ProcessMonitor::resolveApp(PreviousSample& entry) {
    entry.language = languageChange_;
    entry.appName.clear();
    if (!desktopEntries_ || entry.controlGroup.empty()) return;
    const auto id = desktopIdOfControlGroup(entry.controlGroup);
    if (!id) return;
    auto [found, inserted] = appNames_.try_emplace(*id);
    if (inserted) found->second = desktopEntries_->applicationName(*id, language_);
    if (found->second) entry.appName = *found->second;
}

// The executable's name, else the program the command line started, else the short name.
bool ProcessMonitor::resolveName(std::int32_t pid, std::string& name) {
    if (table_->executablePath(pid, pathBuffer_)) {
        if (auto resolved = resolveNameFromPath(pathBuffer_)) {
            name = std::move(*resolved);
            return true;
        }
    }
    if (resolveArgumentName(pid, name)) return true;
    if (task_.shortName.empty()) return false;
    name = Utf8::repaired(task_.shortName);
    return true;
}

// A first argument without spaces names the program; one with spaces is a title the process
// gave itself ("sshd: alice [priv]", "/usr/bin/app --flag" rewritten as one string).
bool ProcessMonitor::resolveArgumentName(std::int32_t pid, std::string& name) {
    if (!table_->firstArgument(pid, pathBuffer_)) return false;
    if (pathBuffer_.find(' ') != std::string::npos) return false;
    auto resolved = resolveNameFromPath(pathBuffer_);
    if (!resolved) return false;
    name = std::move(*resolved);
    return true;
}

double ProcessMonitor::cpuPercent(const ProcessTable::Task& task, const PreviousSample& previous, double now) {
    const double elapsed = now - previous.timestamp;
    if (!(elapsed > 0)) return 0;
    const double busy = rise(task.userTime, previous.userTime) + rise(task.systemTime, previous.systemTime);
    return std::clamp(busy / (elapsed * 1e9) * 100.0, 0.0, kMaxPercent);
}

template <typename Before>
std::vector<ProcStats> ProcessMonitor::first(std::int64_t maxProcesses, Before before) {
    const size_t keep = std::min(candidates_.size(), static_cast<size_t>(std::max<std::int64_t>(maxProcesses, 0)));
    // Ordering by position on equal values makes the cut match a stable sort of the whole list.
    std::partial_sort(candidates_.begin(), candidates_.begin() + static_cast<std::ptrdiff_t>(keep), candidates_.end(),
                      [&](const Candidate& a, const Candidate& b) {
                          if (before(a, b)) return true;
                          return !before(b, a) && a.order < b.order;
                      });
    std::vector<ProcStats> result;
    result.reserve(keep);
    for (size_t i = 0; i < keep; ++i) {
        const auto& c = candidates_[i];
        result.push_back({c.pid, c.entry->name, c.cpuPercent, c.memoryBytes, c.threadCount, c.cpuPercent * factor_,
                          c.entry->appName});
    }
    return result;
}

}  // namespace corvelle
