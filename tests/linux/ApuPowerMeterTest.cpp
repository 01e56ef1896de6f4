#include "linux/power/ApuPowerMeter.h"
#include "linux/power/PowerMeterChoice.h"
#include "linux/power/PowerServiceCopy.h"
#include "sampling/IOReportService.h"

#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// A power input as `sensors` prints it ("17.08 W", "1000.00 uW"); "N/A" for a file that cannot be
// read, "" for none.
struct Power {
    int index;
    const char* label;  // nullptr: no label file
    const char* average;
    const char* input;
};

// An hwmon chip of a PCI device: its name, voltage labels, power inputs and runtime state.
struct Chip {
    const char* slot;  // PCI bus of the device, as in "amdgpu-pci-3300"
    const char* name;
    std::vector<const char*> voltages;
    std::vector<Power> powers;
    const char* runtime = "active";
};

// The µW a sensors figure stands for.
std::string microwatts(const std::string& shown) {
    const double value = std::stod(shown);
    const auto unit = shown.substr(shown.find(' ') + 1);
    const double scale = unit == "W" ? 1e6 : unit == "mW" ? 1e3 : 1;
    return std::to_string(std::llround(value * scale));
}

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << '\n';
}

void writePower(const fs::path& file, const char* shown) {
    if (std::string(shown).empty()) return;
    if (std::string(shown) == "N/A") {
        fs::create_directories(file / "unreadable");
    } else {
        write(file, microwatts(shown));
    }
}

// The chips below root as the kernel lays them out: a class link to each chip's folder under its
// PCI device, and the chip's link back to the device.
void build(const fs::path& root, const std::vector<Chip>& chips) {
    for (std::size_t n = 0; n < chips.size(); ++n) {
        const auto& chip = chips[n];
        const std::string hwmon = "hwmon" + std::to_string(n + 2);
        const fs::path device = root / "sys/devices/pci0000:00/0000:00:08.1" / ("0000:" + std::string(chip.slot, 2) + ":00.0");
        const fs::path folder = device / "hwmon" / hwmon;
        write(device / "power/runtime_status", chip.runtime);
        write(folder / "name", chip.name);
        for (std::size_t i = 0; i < chip.voltages.size(); ++i) {
            write(folder / ("in" + std::to_string(i) + "_label"), chip.voltages[i]);
            write(folder / ("in" + std::to_string(i) + "_input"), "800");
        }
        for (const auto& power : chip.powers) {
            const std::string prefix = folder / ("power" + std::to_string(power.index));
            if (power.label) write(prefix + "_label", power.label);
            writePower(prefix + "_average", power.average);
            writePower(prefix + "_input", power.input);
        }
        fs::create_directory_symlink("../..", folder / "device");
        fs::create_directories(root / "sys/class/hwmon");
        fs::create_directory_symlink(fs::relative(folder, root / "sys/class/hwmon"), root / "sys/class/hwmon" / hwmon);
    }
}

// The package power the meter reads, through the same service as the monitor's.
std::optional<double> packageWatts(std::unique_ptr<EnergyReportSource> source) {
    IOReportService service(std::move(source), std::make_shared<test::FakeClock>());
    const auto power = service.sample();
    return power ? std::optional(power->socWatts) : std::nullopt;
}

// Layouts of real machines, from `sensors` listings that their owners published:
//  - ThinkPad T14s Gen 3 AMD (Ryzen 7 PRO 6850U): gnome-shell-extension-freon pull request 249;
//  - Legion 5 15ACH6H (Ryzen 7 5800H, GeForce RTX 3060 without an amdgpu chip) and IdeaPad 1
//    14AMN7 (Ryzen 5 7520U): the figures quoted in this project's issue 41;
//  - Steam Deck (Van Gogh): linux-cachyos issue 955;
//  - a Ryzen 7 5700G desktop on an older kernel: ryzen_monitor issue 9;
//  - a Ryzen 7000 desktop with a Radeon card: the sensors listing quoted in a public awesome-wm
//    sensors widget.
TEST(ApuPowerMeter, TheIntegratedGpusPackagePowerOnRealLayouts) {
    const std::vector<const char*> apu{"vddgfx", "vddnb"};
    const struct {
        const char* machine;
        std::vector<Chip> chips;
        std::optional<double> watts;
    } cases[] = {
        {"ThinkPad T14s Gen 3", {{"33", "amdgpu", apu, {{1, "PPT", "17.08 W", ""}}}}, 17.08},
        {"Legion 5 15ACH6H", {{"06", "amdgpu", apu, {{1, "PPT", "21.00 W", ""}}}}, 21.0},
        {"IdeaPad 1 14AMN7, an instantaneous input only", {{"04", "amdgpu", apu, {{1, "PPT", "", "7.24 W"}}}}, 7.24},
        {"Steam Deck: the slow limit's average, not its instant", {{"04", "amdgpu", apu,
          {{1, "slowPPT", "4.09 W", "5.03 W"}, {2, "fastPPT", "N/A", ""}}}}, 4.09},
        {"Ryzen 7000 desktop: the APU's, not the Radeon card's",
         {{"03", "amdgpu", {"vddgfx"}, {{1, "PPT", "41.00 W", ""}}}, {"12", "amdgpu", apu, {{1, "PPT", "39.18 W", ""}}}},
         39.18},
        {"Ryzen 7 5700G on an older kernel: an unlabelled input", {{"06", "amdgpu", apu, {{1, nullptr, "1000.00 uW", ""}}}},
         std::nullopt},
        // The same layouts in the states their meters can be found in.
        {"a PPT of 0 W", {{"04", "amdgpu", apu, {{1, "PPT", "", "0.00 uW"}}}}, std::nullopt},
        {"a PPT in another unit: no whole chip draws 7 mW", {{"33", "amdgpu", apu, {{1, "PPT", "7.24 mW", ""}}}},
         std::nullopt},
        {"an average that cannot be read: the instant", {{"04", "amdgpu", apu, {{1, "slowPPT", "N/A", "5.03 W"}}}}, 5.03},
        {"the integrated GPU asleep is not read", {{"33", "amdgpu", apu, {{1, "PPT", "17.08 W", ""}}, "suspended"}},
         std::nullopt},
        {"a discrete GPU alone", {{"03", "amdgpu", {"vddgfx"}, {{1, "PPT", "41.00 W", ""}}}}, std::nullopt},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        build(dir.path(), c.chips);
        EXPECT_EQ(packageWatts(std::make_unique<ApuPowerMeter>(dir.path())), c.watts) << c.machine;
    }
}

TEST(ApuPowerMeter, AnAsleepOrSilentMeterGivesNoReadingUntilItWakes) {
    test::TempDir dir;
    build(dir.path(), {{"33", "amdgpu", {"vddgfx", "vddnb"}, {{1, "PPT", "17.08 W", ""}}}});
    const fs::path device = dir.path() / "sys/devices/pci0000:00/0000:00:08.1/0000:33:00.0";
    ApuPowerMeter meter(dir.path());
    ASSERT_TRUE(meter.subscribe());
    const std::pair<const char*, std::optional<std::int64_t>> steps[] = {
        {"suspended", std::nullopt}, {"active", 17080}, {"suspending", std::nullopt}};
    for (const auto& [state, milliwatts] : steps) {
        write(device / "power/runtime_status", state);
        const auto sample = meter.createSample();
        EXPECT_EQ(sample ? integerProperty(*sample, "milliwatts") : std::nullopt, milliwatts) << state;
    }
}

// An AMD laptop whose RAPL counters only root may read: the APU's meter until the power service
// publishes, then the service's copy; a sample of one meter is never compared with the other's.
TEST(PowerMeterChoice, TheCountersWhenTheyCanBeReadElseTheApusMeter) {
    test::TempDir dir;
    const fs::path root = dir.path();
    build(root, {{"33", "amdgpu", {"vddgfx", "vddnb"}, {{1, "PPT", "17.08 W", ""}}}});
    for (const auto& [zone, name] : {std::pair{"intel-rapl:0", "package-0"}, {"intel-rapl:0:0", "core"}}) {
        write(root / "sys/class/powercap" / zone / "name", name);
        fs::create_directories(root / "sys/class/powercap" / zone / "energy_uj/unreadable");
    }
    const auto publish = [&](double time, std::uint64_t core) {
        write(root / PowerServiceCopy::kFile, PowerServiceCopy::compose(time, {{"intel-rapl:0:0", "core", core, 1u << 31}}));
    };
    auto clock = std::make_shared<test::FakeClock>();
    IOReportService service(std::make_unique<PowerMeterChoice>(root), clock);
    const struct {
        const char* what;
        std::function<void()> change;
        std::optional<double> cpu, package;
        const char* meter;
    } steps[] = {
        {"the APU's meter", [] {}, 0, 17.08, "apu"},
        {"the service starts: no comparing across meters", [&] { publish(10, 1000000); }, std::nullopt, std::nullopt, "service"},
        {"the service's copy", [&] { publish(12, 9000000); }, 4, 0, "service"},
        {"the service stops: back to the APU's meter", [&] { fs::remove(root / PowerServiceCopy::kFile); }, std::nullopt,
         std::nullopt, "apu"},
    };
    for (const auto& step : steps) {
        step.change();
        clock->advance(2);
        const auto power = service.sample();
        EXPECT_EQ(power ? std::optional(power->cpuWatts) : std::nullopt, step.cpu) << step.what;
        EXPECT_EQ(power ? std::optional(power->socWatts) : std::nullopt, step.package) << step.what;
        EXPECT_EQ(service.meterName(), step.meter) << step.what;
    }
    // Neither counters nor an APU: no meter at all; counters alone: locked until the service runs.
    test::TempDir bare;
    EXPECT_FALSE(PowerMeterChoice(bare.path()).subscribe());
    fs::remove_all(root / "sys/class/hwmon");
    PowerMeterChoice locked(root);
    EXPECT_TRUE(locked.subscribe());
    EXPECT_FALSE(locked.createSample());
    EXPECT_EQ(locked.meterName(), "locked");
}

}  // namespace
}  // namespace corvelle
