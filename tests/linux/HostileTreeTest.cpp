#include "linux/DiskstatsSource.h"
#include "linux/HwmonSMCTransport.h"
#include "linux/LinuxProcessTable.h"
#include "linux/LinuxSystemInfo.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/ProcStatCpuSource.h"
#include "linux/power/PowerMeterChoice.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsChargeThresholdSource.h"
#include "linux/SysfsThermalSource.h"
#include "platform/SMCKeys.h"

#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// Files that say what a device is; they keep sane contents so the values behind them are read.
const std::pair<const char*, const char*> kIdentities[] = {
    {"sys/class/power_supply/BAT0/type", "Battery"},  {"sys/class/power_supply/AC/type", "Mains"},
    {"sys/class/hwmon/hwmon0/name", "coretemp"},       {"sys/class/hwmon/hwmon0/temp1_label", "Core 0"},
    {"sys/class/thermal/thermal_zone0/trip_point_0_type", "passive"},
    {"sys/class/thermal/cooling_device0/type", "Processor"},
    {"sys/class/powercap/intel-rapl:0:0/name", "core"},  {"sys/block/sda/device", "a disk"},
    {"sys/class/hwmon/hwmon1/name", "amdgpu"},          {"sys/class/hwmon/hwmon1/in1_label", "vddnb"},
    {"sys/class/hwmon/hwmon1/power1_label", "PPT"},
};

// Every value file a Linux source reads, by folder.
const std::pair<const char*, std::vector<const char*>> kValues[] = {
    {"proc/", {"stat", "meminfo", "diskstats", "net/dev", "42/stat", "sys/kernel/osrelease"}},
    {"sys/devices/system/cpu/cpu0/",
     {"cpu_capacity", "topology/physical_package_id", "topology/core_id", "thermal_throttle/core_throttle_count",
      "thermal_throttle/package_throttle_count"}},
    {"sys/class/power_supply/BAT0/",
     {"status", "capacity", "charge_now", "charge_full", "charge_full_design", "voltage_now", "voltage_min_design",
      "current_now", "power_now", "cycle_count", "charge_control_start_threshold", "charge_control_end_threshold"}},
    {"sys/class/power_supply/AC/", {"online", "voltage_max", "current_max"}},
    {"sys/class/hwmon/hwmon0/", {"temp1_input", "temp1_max", "temp1_crit", "temp1_crit_alarm", "fan1_input"}},
    {"sys/class/thermal/", {"thermal_zone0/temp", "thermal_zone0/trip_point_0_temp", "cooling_device0/cur_state"}},
    {"sys/class/powercap/intel-rapl:0:0/", {"energy_uj", "max_energy_range_uj"}},
    {"sys/class/hwmon/hwmon1/", {"power1_average", "power1_input", "device/power/runtime_status"}},
    {"run/corvelle-power/", {"rapl"}},
    {"", {"sys/devices/cpu_atom/cpus", "sys/class/dmi/id/product_name", "etc/os-release"}},
};

enum class Kind { text, huge, folder, loop, fifo };

struct Variant {
    const char* name;
    Kind kind;
    std::string text;
};

void make(const fs::path& file, const Variant& variant) {
    fs::create_directories(file.parent_path());
    switch (variant.kind) {
        case Kind::text: std::ofstream(file) << variant.text; break;
        case Kind::huge: std::ofstream(file) << "1"; fs::resize_file(file, 17 << 20); break;
        case Kind::folder: fs::create_directories(file / "inside"); break;
        case Kind::loop: fs::create_symlink(file.filename(), file); break;
        case Kind::fifo: ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); break;
    }
}

// Every value the kernel could garble, in every way: no crash, no hang, no figure.
TEST(HostileTree, EverySourceGivesNoReadingAndNoWrongFigure) {
    alarm(120);  // a source that blocks on a file ends the run instead of hanging it
    const Variant variants[] = {
        {"empty", Kind::text, ""}, {"garbage", Kind::text, "\xff\xfe garbage: 1 2 x\n\0\n"},
        {"negative", Kind::text, "-4200000000\n"}, {"not a number", Kind::text, "nan\n"},
        {"overflowing", Kind::text, "184467440737095516160000\n"}, {"huge", Kind::huge, ""},
        {"a folder", Kind::folder, ""}, {"a symbolic link loop", Kind::loop, ""}, {"a named pipe", Kind::fifo, ""},
    };
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.name);
        test::TempDir dir;
        const auto& root = dir.path();
        for (const auto& [file, text] : kIdentities) make(root / file, {"", Kind::text, text});
        for (const auto& [folder, files] : kValues) for (const char* file : files) make(root / folder / file, variant);

        ProcStatCpuSource cpu(root);
        EXPECT_FALSE(cpu.read());
        EXPECT_TRUE(cpu.efficiencyCpus().empty());
        MeminfoSource memory(root);
        EXPECT_FALSE(memory.read());
        EXPECT_EQ(memory.physicalMemory(), 0u);
        EXPECT_FALSE(DiskstatsSource(root).read());
        EXPECT_FALSE(NetDevSource(root).read());

        LinuxProcessTable processes(root);
        std::vector<std::int32_t> pids;
        ProcessTable::Task task;
        std::string path;
        EXPECT_TRUE(processes.listPids(pids) && !processes.readTask(42, task) && !processes.executablePath(42, path));

        const auto battery = SysfsBatteryRegistry(root).properties();
        ASSERT_TRUE(battery);
        for (const auto& [key, value] : *battery) EXPECT_FALSE(value.as<std::int64_t>()) << key;
        EXPECT_EQ(SysfsChargeThresholdSource(root).read(), (ChargeThresholds{"BAT0", std::nullopt, std::nullopt}));

        HwmonSMCTransport sensors(root);
        sensors.open();
        for (auto key : {"Tp01", "F0Ac"}) {
            SMCParamRecord input, output;
            input.key = fourCharCode(key);
            input.command = SMCParamRecord::kCommandReadKey;
            EXPECT_FALSE(sensors.call(SMCTransport::kSelector, input, output)) << key;
        }
        EXPECT_EQ(SysfsThermalSource(root, std::make_shared<test::FakeClock>()).thermalState(),
                  SystemThermalState::nominal);
        // Counters that cannot be read wait for the power service; the APU's meter reads nothing.
        PowerMeterChoice meter(root);
        EXPECT_TRUE(meter.subscribe() && !meter.createSample() && meter.meterName() == "locked");
        EXPECT_FALSE(LinuxSystemInfo(root).osVersion().empty());
    }
    alarm(0);
}

}  // namespace
}  // namespace corvelle
