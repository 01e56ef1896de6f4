#include "app/launch/CommandLine.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvelle {
namespace {

using Action = CommandLine::Action;
using Error = CommandLine::Error;
using Format = CommandLine::Format;

TEST(CommandLine, ParsesEachActionAndRejectsWhatCannotRun) {
    const struct { QStringList arguments; Action action; Error error = Error::none; QString subject = {};
                   std::optional<double> interval = std::nullopt; Format format = Format::plain; QString tab = {}; } cases[] = {
        {{}, Action::start}, {{"-h"}, Action::help}, {{"--watch", "--version"}, Action::version}, {{"--settings"}, Action::settings},
        {{"--watch", "1", "--format", "waybar"}, Action::watch, Error::none, {}, 1.0, Format::waybar},
        {{"--watch", "3600", "--format", "plain"}, Action::watch, Error::none, {}, 3600.0},
        {{"--open", "history"}, Action::open, Error::none, {}, std::nullopt, Format::plain, "history"},
        {{"--watch=2", "--open"}, Action::start, Error::oneAction}, {{"--snapshot", "--open"}, Action::start, Error::oneAction},
        {{"--watch=2"}, Action::watch, Error::none, {}, 2.0},
        {{"--open=battery"}, Action::open, Error::none, {}, std::nullopt, Format::plain, "battery"},
        {{"--watch", "5", "--format=waybar"}, Action::watch, Error::none, {}, 5.0, Format::waybar},
        {{"--watch", "--"}, Action::watch}, {{"--snapshot", "--format", "json"}, Action::snapshot},
        {{"--watch", "0.5"}, Action::start, Error::watchInterval, "0.5"},
        {{"--watch", "3601"}, Action::start, Error::watchInterval, "3601"},
        {{"--watch", "-5"}, Action::start, Error::watchInterval, "-5"},
        {{"--watch="}, Action::start, Error::watchInterval, ""},
        {{"--watch", "1", "--watch", "2"}, Action::start, Error::repeated, "--watch"},
        {{"-h", "--help"}, Action::start, Error::repeated, "--help"},
        {{"--watch", "2", "3"}, Action::start, Error::unexpectedArgument, "3"},
        {{"--version", "extra"}, Action::start, Error::unexpectedArgument, "extra"},
        {{"--version", "--verbose"}, Action::start, Error::unknownOption, "--verbose"},
        {{"--snapshot=now"}, Action::start, Error::unexpectedArgument, "--snapshot=now"},
        {{"--", "--open"}, Action::start, Error::unexpectedArgument, "--open"},
        {{"--watch", "--format", "csv"}, Action::start, Error::format, "csv"},
        {{"--watch", "--format"}, Action::start, Error::needsValue, "--format"},
        {{"--snapshot", "--format", "prometheus"}, Action::snapshot, Error::none, {}, std::nullopt, Format::prometheus},
        {{"--snapshot", "--format", "waybar"}, Action::start, Error::formatAction, "waybar"},
        {{"--open", "--format", "json"}, Action::start, Error::formatAction, "json"},
        {{"--open", "Processes"}, Action::start, Error::tab, "Processes"},
        {{"--snapshot", "now"}, Action::start, Error::unexpectedArgument, "now"},
        {{"--verbose=1"}, Action::start, Error::unknownOption, "--verbose"},
        {{"-hv"}, Action::start, Error::unknownOption, "-hv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto line = CommandLine::parse(QStringList{"corvelle"} + c.arguments);
        EXPECT_EQ(std::tie(line.error, line.errorSubject), std::tie(c.error, c.subject));
        if (c.error != Error::none) continue;
        EXPECT_EQ(std::tie(line.action, line.watchInterval, line.format, line.tab), std::tie(c.action, c.interval, c.format, c.tab));
    }
}

TEST(CommandLine, ErrorsNameTheOptionAsTyped) {
    test::ScopedLanguage english("en");
    EXPECT_EQ(CommandLine::parse({"corvelle", "--verbose"}).errorMessage(), "unknown option --verbose");
    EXPECT_EQ(CommandLine::parse({"corvelle", "-x"}).errorMessage(), "unknown option -x");
    EXPECT_EQ(CommandLine::parse({"corvelle", "--format", "waybar"}).errorMessage(), "--format waybar goes with --watch");
}

}  // namespace
}  // namespace corvelle
