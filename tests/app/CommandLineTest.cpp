#include "app/launch/CommandLine.h"

#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Action = CommandLine::Action;
using Error = CommandLine::Error;
using Format = CommandLine::Format;

TEST(CommandLine, ParsesEachActionAndRejectsWhatCannotRun) {
    const struct {
        QStringList arguments;
        Action action;
        Error error = Error::none;
        QString subject = {};
        std::optional<double> interval = std::nullopt;
        Format format = Format::plain;
        QString tab = {};
    } cases[] = {
        {{}, Action::start},
        {{"-h"}, Action::help},
        {{"--watch", "--version"}, Action::version},
        {{"--watch", "1", "--format", "waybar"}, Action::watch, Error::none, {}, 1.0, Format::waybar},
        {{"--watch", "3600", "--format", "plain"}, Action::watch, Error::none, {}, 3600.0},
        {{"--open", "history"}, Action::open, Error::none, {}, std::nullopt, Format::plain, "history"},
        {{"--settings"}, Action::settings},
        {{"--watch", "0.5"}, Action::start, Error::watchInterval, "0.5"},
        {{"--watch", "3601"}, Action::start, Error::watchInterval, "3601"},
        {{"--watch", "2", "3"}, Action::start, Error::unexpectedArgument, "3"},
        {{"--watch=2"}, Action::start, Error::unexpectedArgument, "--watch=2"},
        {{"--watch", "--format", "csv"}, Action::start, Error::format, "csv"},
        {{"--watch", "--format"}, Action::start, Error::needsValue, "--format"},
        {{"--snapshot", "--format", "waybar"}, Action::start, Error::formatNeedsWatch},
        {{"--open", "Processes"}, Action::start, Error::tab, "Processes"},
        {{"--snapshot", "--open"}, Action::start, Error::oneAction},
        {{"--snapshot", "now"}, Action::start, Error::unexpectedArgument, "now"},
        {{"--verbose"}, Action::start, Error::unknownOption, "verbose"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto line = CommandLine::parse(QStringList{"corvelle"} + c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.errorSubject, c.subject);
        if (c.error != Error::none) continue;
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.watchInterval, c.interval);
        EXPECT_EQ(line.format, c.format);
        EXPECT_EQ(line.tab, c.tab);
    }
}

TEST(CommandLine, ErrorsNameTheOptionAsTyped) {
    test::ScopedLanguage english("en");
    EXPECT_EQ(CommandLine::parse({"corvelle", "--verbose"}).errorMessage(), "unknown option --verbose");
    EXPECT_EQ(CommandLine::parse({"corvelle", "-x"}).errorMessage(), "unknown option -x");
}

}  // namespace
}  // namespace corvelle
