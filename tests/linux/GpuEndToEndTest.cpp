#include "linux/HwmonSMCTransport.h"
#include "linux/LinuxProcessTable.h"
#include "linux/TextFile.h"
#include "linux/gpu/LinuxGpuSource.h"
#include "present/GraphicsContent.h"
#include "support/MonitorHarness.h"
#include "support/NvmlStub.h"
#include "support/ScopedLanguage.h"
#include "support/WritableFixture.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// The monitor on a copy of a recorded GPU layout: its processes, GPUs and sensors, with the panel
// open. start() makes the monitor, which looks at the machine at once.
struct GpuMachine {
    explicit GpuMachine(const std::string& layout) : tree("gpu/" + layout) {}
    void start() {
        MachineSources sources = harness.sources();
        auto gate = std::make_shared<GpuGate>(harness.clock);
        sources.processTable = std::make_unique<LinuxProcessTable>(tree.root());
        sources.gpus = std::make_unique<LinuxGpuSource>(tree.root(), gate, harness.clock, test::NvmlStub::path());
        sources.smcTransport = std::make_unique<HwmonSMCTransport>(tree.root(), gate);
        harness.monitor = std::make_unique<SystemMonitor>(harness.settings, std::move(sources));
        harness.monitor->setPopoverVisible(true);
    }
    const SystemStats& tick(double seconds = 2) {
        harness.clock->advance(seconds);
        harness.monitor->poll();
        return harness.monitor->stats().get();
    }

    test::NvmlStub nvml;
    test::WritableFixture tree;
    test::MonitorHarness harness;
};

// The files opened under a folder, told by inotify; folders opened to be listed do not count.
class OpenedFiles {
public:
    explicit OpenedFiles(const fs::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        watch(folder);
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_directory() && !entry.is_symlink()) watch(entry.path());
        }
    }
    ~OpenedFiles() { close(fd_); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    std::set<fs::path> take() {
        std::set<fs::path> opened;
        alignas(inotify_event) char buffer[16384];
        for (ssize_t size; (size = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (!(event->mask & IN_ISDIR) && event->len > 0) opened.insert(folders_.at(event->wd) / event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return opened;
    }

private:
    void watch(const fs::path& folder) { folders_[inotify_add_watch(fd_, folder.c_str(), IN_OPEN)] = folder; }

    int fd_;
    std::map<int, fs::path> folders_;
};

const struct Hybrid {
    const char* layout;
    const char* discrete;  // the discrete GPU's device folder
    const char* wakeFile;  // a file under it read once it is awake; none: its library is asked
    const char* name;
    const char* integratedState;
    std::optional<double> load, watts, temperature;
    const char* programs;
} kHybrids[] = {
    // NVIDIA's driver: no sensors in the device tree, its library gives the figures and Steam's use.
    {"hybrid-intel-nvidia", "sys/devices/pci0000:00/0000:00:01.0/0000:01:00.0", nullptr, "NVIDIA GeForce RTX 3050 Mobile",
     "Awake", 41, 6.2, 61, "Used by steam 37% and gnome-shell"},
    {"hybrid-intel-nouveau", "sys/devices/pci0000:00/0000:00:01.0/0000:01:00.0", "hwmon/hwmon4/temp1_input",
     "NVIDIA GeForce RTX 3050 Mobile", "Awake", std::nullopt, std::nullopt, 46, "Used by gnome-shell and steam"},
    // Steam draws for 1 s of the 6 s between two reads; the processor's graphics is never put to sleep.
    {"amd-apu-amd-dgpu", "sys/devices/pci0000:00/0000:00:01.1/0000:01:00.0/0000:02:00.0/0000:03:00.0", "hwmon/hwmon6/power1_average",
     "AMD Radeon RX 6700/6700 XT/6750 XT / 6800M/6850M XT", "Always on", 35, 6.2, 42, "Used by steam 17% and gnome-shell 0%"},
};

TEST(GpuEndToEnd, HybridLaptopsShowEveryGpuAndWhoKeepsTheDiscreteOneAwake) {
    test::ScopedLanguage english("en");
    for (const auto& hybrid : kHybrids) {
        SCOPED_TRACE(hybrid.layout);
        GpuMachine m(hybrid.layout);
        m.start();
        m.tick();
        auto card = GraphicsContent::card(m.tick());
        ASSERT_EQ(card.rows.size(), 2u);
        EXPECT_EQ(std::tuple(card.rows[0].kind, card.rows[0].state), std::tuple("Integrated", hybrid.integratedState));
        EXPECT_EQ(std::tuple(card.rows[1].name, card.rows[1].state, card.rows[1].figures, card.rows[1].programs),
                  std::tuple(hybrid.name, "Asleep", "It sleeps and draws no power.", ""));
        EXPECT_EQ(m.harness.monitor->stats().get().gpus.at(1).powerWatts, 0.0);

        m.tree.write(std::string(hybrid.discrete) + "/power/runtime_status", "active");
        m.tick();
        // Steam draws for 1 s more (on the Radeon; the other drivers' files have no such counter).
        const std::string steam = "proc/3100/fdinfo/42";
        std::string text;
        ASSERT_TRUE(TextFile::read(m.tree.root() / steam, text));
        if (const auto at = text.find("1787927225"); at != std::string::npos) text.replace(at, 1, "2");
        m.tree.write(steam, text);
        const auto& stats = m.tick(6);
        const auto& gpu = stats.gpus.at(1);
        EXPECT_EQ(std::tuple(gpu.state, gpu.loadPercent, gpu.powerWatts, gpu.temperature),
                  std::tuple(GpuState::active, hybrid.load, hybrid.watts, hybrid.temperature));
        EXPECT_EQ(stats.gpuPowerWatts, hybrid.watts.value_or(0));
        card = GraphicsContent::card(stats);
        EXPECT_EQ(std::tuple(card.rows[1].state, card.rows[1].programs), std::tuple("Awake", hybrid.programs));
    }
}

// The discrete GPU sleeps through a minute of ticks, with the panel open and closed: only its
// power state is read. Once it is awake, it is read again.
TEST(GpuEndToEnd, NothingUnderASleepingGpuIsOpenedDuringAMinuteOfTicks) {
    for (const auto& hybrid : kHybrids) {
        SCOPED_TRACE(hybrid.layout);
        GpuMachine m(hybrid.layout);
        const fs::path device = fs::canonical(m.tree.root() / hybrid.discrete);
        OpenedFiles opened(device);
        m.start();
        for (int tick = 0; tick < 30; ++tick) {
            m.harness.monitor->setPopoverVisible(tick % 10 < 5);
            m.tick();
        }
        EXPECT_EQ(opened.take(), (std::set<fs::path>{device / "power/runtime_status"}));
        EXPECT_EQ(m.nvml.deviceQueries(), 0);

        m.tree.write(std::string(hybrid.discrete) + "/power/runtime_status", "active");
        opened.take();
        m.tick();
        if (hybrid.wakeFile) {
            EXPECT_TRUE(opened.take().count(device / hybrid.wakeFile));
        } else {
            EXPECT_EQ(m.nvml.deviceQueries(), 1);
            EXPECT_EQ(m.nvml.openSessions(), 0) << "an open session would keep it awake";
        }
    }
}

}  // namespace
}  // namespace corvelle
