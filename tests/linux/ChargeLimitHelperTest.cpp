#include "helper/ChargeLimitHelper.h"

#include "support/TempDir.h"
#include "support/WritableFixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

namespace corvelle {
namespace {

namespace Exit = ChargeLimitHelper;
constexpr const char* kBat0 = "sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/";

struct Outcome {
    int exit = -1;
    std::string out, err;
};

std::string contents(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

// Runs the helper's test build on `root`, as pkexec would run the installed one.
Outcome runHelper(const std::filesystem::path& root, std::vector<std::string> arguments) {
    test::TempDir output;
    arguments.insert(arguments.begin(), {CORVELLE_CHARGE_LIMIT_TEST_HELPER, "--root", root.string()});
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, (output / "out").c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&files, 2, (output / "err").c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid = 0;
    Outcome outcome;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        outcome.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&files);
    outcome.out = contents(output / "out");
    outcome.err = contents(output / "err");
    return outcome;
}

TEST(ChargeLimitHelper, WritesTheThresholdsInTheOrderTheKernelAccepts) {
    test::WritableFixture tree("battery-care/laptop");
    const auto bat0 = tree.root() / kBat0;
    const struct {
        std::vector<std::string> arguments;
        const char* writes;  // in order
        const char* start;
        const char* end;
    } steps[] = {
        {{"BAT0", "85", "90"}, "BAT0: charge_control_end_threshold=90\nBAT0: charge_control_start_threshold=85\n",
         "85\n", "90\n"},
        {{"BAT0", "55", "60"}, "BAT0: charge_control_start_threshold=55\nBAT0: charge_control_end_threshold=60\n",
         "55\n", "60\n"},
        {{"BAT0", "100"}, "BAT0: charge_control_end_threshold=100\n", "55\n", "100\n"},
    };
    for (const auto& step : steps) {
        const Outcome outcome = runHelper(tree.root(), step.arguments);
        EXPECT_EQ(outcome.exit, Exit::applied) << outcome.err;
        EXPECT_EQ(outcome.out, step.writes);
        EXPECT_EQ(contents(bat0 / "charge_control_start_threshold"), step.start);
        EXPECT_EQ(contents(bat0 / "charge_control_end_threshold"), step.end);
    }
}

TEST(ChargeLimitHelper, RefusesWithAReasonAndWritesNothing) {
    test::WritableFixture tree("battery-care/laptop");
    // A threshold that is a link is not followed, even inside the battery's folder.
    std::filesystem::create_directories(tree.root() / "sys/devices/platform/BAT2/power_supply/BAT2");
    tree.write("sys/devices/platform/BAT2/power_supply/BAT2/type", "Battery");
    std::filesystem::create_symlink("/dev/null", tree.root() / "sys/devices/platform/BAT2/power_supply/BAT2" /
                                                     "charge_control_end_threshold");
    std::filesystem::create_directory_symlink("../../devices/platform/BAT2/power_supply/BAT2",
                                              tree.root() / "sys/class/power_supply/BAT2");
    const struct {
        std::vector<std::string> arguments;
        int exit;
        const char* message;
    } cases[] = {
        {{"BAT0"}, Exit::badArguments, "usage: corvelle-charge-limit BATTERY [START] END"},
        {{"BAT0", "1", "2", "3"}, Exit::badArguments, "usage:"},
        {{"BAT0", "eighty"}, Exit::badArguments, "'eighty' is not a whole percentage"},
        {{"BAT0", "-5", "80"}, Exit::badArguments, "'-5' is not a whole percentage"},
        {{"BAT0", " 80"}, Exit::badArguments, "' 80' is not a whole percentage"},
        {{"BAT0", "0"}, Exit::badArguments, "thresholds go from 1 to 100"},
        {{"BAT0", "101"}, Exit::badArguments, "thresholds go from 1 to 100"},
        {{"BAT0", "80", "80"}, Exit::badArguments, "the start threshold must be below the end threshold"},
        {{"BAT0", "90", "80"}, Exit::badArguments, "the start threshold must be below the end threshold"},
        {{"../../../elsewhere/BAT9", "60"}, Exit::badBattery, "'../../../elsewhere/BAT9' is not a power supply of"},
        {{"..", "60"}, Exit::badBattery, "'..' is not a power supply of this machine"},
        {{"BAT7", "60"}, Exit::badBattery, "'BAT7' is not a power supply of this machine"},
        {{"AC", "60"}, Exit::badBattery, "'AC' is not a battery"},
        {{"BAT9", "60"}, Exit::badBattery, "'BAT9' leads outside /sys/devices"},
        {{"BAT1", "60"}, Exit::unsupported, "'BAT1' has no charge_control_end_threshold"},
        {{"BAT2", "60"}, Exit::writeFailed, "writing 60 to charge_control_end_threshold failed: Too many levels"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runHelper(tree.root(), c.arguments);
        EXPECT_EQ(outcome.exit, c.exit) << c.arguments[0];
        EXPECT_NE(outcome.err.find(std::string("corvelle-charge-limit: ") + c.message), std::string::npos)
            << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(contents(tree.root() / kBat0 / "charge_control_end_threshold"), "80\n");
    EXPECT_EQ(contents(tree.root() / "elsewhere/BAT9/charge_control_end_threshold"), "50\n");
}

}  // namespace
}  // namespace corvelle
