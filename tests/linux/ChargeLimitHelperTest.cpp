#include "helper/ChargeLimitHelper.h"
#include "util/AtomicFile.h"

#include "support/WritableFixture.h"

#include <sys/wait.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

namespace Exit = ChargeLimitHelper;
constexpr const char* kBat0 = "sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/";

struct Outcome { int exit = -1; std::string out, err; };

// A file's text, empty when it cannot be read.
std::string contents(const std::filesystem::path& file) { return AtomicFile::read(file).value_or(""); }

// Runs the helper's test build on the tree, as pkexec runs the installed one on /.
Outcome runHelper(const test::WritableFixture& tree, const std::vector<std::string>& arguments) {
    std::string command = std::string(CORVELLE_CHARGE_LIMIT_TEST_HELPER) + " --root " + tree.root().string();
    for (const auto& argument : arguments) command += " '" + argument + "'";
    const auto errors = tree.root() / "stderr";
    Outcome outcome;
    FILE* pipe = popen((command + " 2>" + errors.string()).c_str(), "r");
    char buffer[256];
    while (const size_t got = fread(buffer, 1, sizeof buffer, pipe)) outcome.out.append(buffer, got);
    outcome.exit = WEXITSTATUS(pclose(pipe));
    outcome.err = contents(errors);
    return outcome;
}

TEST(ChargeLimitHelper, WritesTheThresholdsInTheOrderTheKernelAccepts) {
    test::WritableFixture tree("battery-care/laptop");
    // Arguments, the writes in order, and the start threshold after them.
    const std::tuple<std::vector<std::string>, const char*, const char*> steps[] = {
        {{"BAT0", "85", "90"}, "BAT0: charge_control_end_threshold=90\nBAT0: charge_control_start_threshold=85\n", "85\n"},
        {{"BAT0", "55", "60"}, "BAT0: charge_control_start_threshold=55\nBAT0: charge_control_end_threshold=60\n", "55\n"},
        {{"BAT0", "100"}, "BAT0: charge_control_end_threshold=100\n", "55\n"},
    };
    for (const auto& [arguments, writes, startAfter] : steps) {
        const Outcome outcome = runHelper(tree, arguments);
        EXPECT_EQ(outcome.exit, Exit::applied) << outcome.err;
        EXPECT_EQ(outcome.out, writes);
        EXPECT_EQ(contents(tree.root() / kBat0 / "charge_control_start_threshold"), startAfter);
        EXPECT_EQ(contents(tree.root() / kBat0 / "charge_control_end_threshold"), arguments.back() + "\n");
    }
}

TEST(ChargeLimitHelper, RefusesWithAReasonAndWritesNothing) {
    test::WritableFixture tree("battery-care/laptop");
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"BAT0"}, Exit::badArguments, "usage: corvelle-charge-limit BATTERY [START] END"},
        {{"BAT0", "eighty"}, Exit::badArguments, "'eighty' is not a whole percentage"},
        {{"BAT0", " 80"}, Exit::badArguments, "' 80' is not a whole percentage"},
        {{"BAT0", "0"}, Exit::badArguments, "thresholds go from 1 to 100"},
        {{"BAT0", "101"}, Exit::badArguments, "thresholds go from 1 to 100"},
        {{"BAT0", "80", "80"}, Exit::badArguments, "the start threshold must be below the end threshold"},
        {{"../../../elsewhere/BAT9", "60"}, Exit::badBattery, "'../../../elsewhere/BAT9' is not a power supply of"},
        {{"AC", "60"}, Exit::badBattery, "'AC' is not a battery"},
        {{"BAT9", "60"}, Exit::badBattery, "'BAT9' leads outside /sys/devices"},
        {{"BAT1", "60"}, Exit::unsupported, "'BAT1' has no charge_control_end_threshold"},
        {{"BAT2", "55", "60"}, Exit::unsupported, "'BAT2' has no charge_control_start_threshold"},
        // BAT2's end threshold is a link leading outside: it is not followed.
        {{"BAT2", "60"}, Exit::writeFailed, "writing 60 to charge_control_end_threshold failed: Too many levels"},
    };
    for (const auto& [arguments, exit, message] : cases) {
        const Outcome outcome = runHelper(tree, arguments);
        EXPECT_EQ(outcome.exit, exit) << message;
        EXPECT_TRUE(outcome.err.starts_with(std::string("corvelle-charge-limit: ") + message)) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(contents(tree.root() / kBat0 / "charge_control_end_threshold"), "80\n");
    EXPECT_EQ(contents(tree.root() / "elsewhere/BAT9/charge_control_end_threshold"), "50\n");
}

}  // namespace
}  // namespace corvelle
