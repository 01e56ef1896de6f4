#pragma once

#include "linux/gpu/RuntimePm.h"
#include "platform/Clock.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace corvelle {

// Whether values under a GPU's device may be read now, so that reading them neither wakes a
// sleeping GPU nor keeps an idle one from going to sleep. A sleeping GPU is never read. A
// discrete GPU that manages its power counts each read of its sensors as use and sleeps only
// after going unused for its autosuspend delay (5 s with most drivers): it is read in short bursts
// further apart than that, and the figures of the last burst stand in between. An integrated GPU,
// which the display keeps awake while anyone looks, and a GPU that never sleeps are read whenever
// asked. Shared by the readers of one machine; any thread.
class GpuGate {
public:
    enum class Access {
        asleep,  // read nothing under it
        quiet,   // awake, but between bursts: use the figures of the last one
        read,    // read it now
    };
    struct Verdict {
        Access access = Access::asleep;
        RuntimePm::Status status = RuntimePm::Status::suspended;
    };

    // Seconds a burst lasts: the readers of one tick all read within it.
    static constexpr double kBurst = 1.0;
    // The shortest autosuspend delay assumed, for drivers that keep their own.
    static constexpr double kLeastDelay = 5.0;
    // Seconds a GPU's power/control is trusted: it changes only when someone turns runtime power
    // management on or off.
    static constexpr double kControlAge = 30.0;

    explicit GpuGate(std::shared_ptr<const Clock> clock) : clock_(std::move(clock)) {}
    ~GpuGate();
    GpuGate(const GpuGate&) = delete;
    GpuGate& operator=(const GpuGate&) = delete;

    // A GPU's device folder (symbolic links resolved), as the inventory found it.
    void add(const std::filesystem::path& device, bool discrete);
    bool guards(const std::filesystem::path& device) const;
    // Reads the device's power state (which never wakes it) and says what may be read.
    Verdict open(const std::filesystem::path& device);

private:
    struct Device {
        bool discrete = false;
        int status = -1;  // power/runtime_status, held open and read again from its start
        std::filesystem::path control{};  // power/control
        std::string controlText{};
        double controlRead = -kControlAge;
        double burstEnd = 0;
        double nextBurst = 0;
        bool bursting = false;  // a burst was started since it last slept
    };

    RuntimePm::Status statusOf(Device& gpu, double now);
    double quietInterval(const std::filesystem::path& device) const;

    std::shared_ptr<const Clock> clock_;
    mutable std::mutex mutex_;
    std::map<std::filesystem::path, Device> devices_;
};

}  // namespace corvelle
