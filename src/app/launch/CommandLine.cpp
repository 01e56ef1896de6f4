#include "app/launch/CommandLine.h"

#include "localization/LCommandLine.h"

#include <QCommandLineParser>

#include <cmath>

namespace corvelle {
namespace {

CommandLine failure(CommandLine::Error error, const QString& subject) {
    CommandLine line;
    line.error = error;
    line.errorSubject = subject;
    return line;
}

// The one action the flags ask for; none when they ask for several.
std::optional<CommandLine::Action> chosenAction(const QCommandLineParser& parser) {
    using Action = CommandLine::Action;
    std::optional<Action> chosen = Action::start;
    for (const auto& [name, action] : {std::pair{"snapshot", Action::snapshot}, std::pair{"watch", Action::watch},
                                       std::pair{"open", Action::open}, std::pair{"settings", Action::settings}}) {
        if (!parser.isSet(name)) continue;
        if (chosen != Action::start) return std::nullopt;
        chosen = action;
    }
    return chosen;
}

// Fills in the value after --watch or --open; false with the error set when it is not one.
bool readValue(const QString& value, CommandLine& line) {
    if (line.action == CommandLine::Action::open && CommandLine::tabIndex(value)) {
        line.tab = value;
        return true;
    }
    bool isNumber = false;
    const double seconds = value.toDouble(&isNumber);
    if (line.action == CommandLine::Action::watch && isNumber && seconds >= CommandLine::shortestWatchInterval &&
        seconds <= CommandLine::longestWatchInterval) {
        line.watchInterval = seconds;
        return true;
    }
    line.error = line.action == CommandLine::Action::watch  ? CommandLine::Error::watchInterval
                 : line.action == CommandLine::Action::open ? CommandLine::Error::tab
                                                            : CommandLine::Error::unexpectedArgument;
    line.errorSubject = value;
    return false;
}

// What --format names for `action`: plain or waybar for --watch, json or prometheus for --snapshot.
std::optional<CommandLine::Format> formatNamed(CommandLine::Action action, const QString& name) {
    using Format = CommandLine::Format;
    const bool watch = action == CommandLine::Action::watch;
    if (name == (watch ? "plain" : "json")) return Format::plain;
    if (name == (watch ? "waybar" : "prometheus")) return watch ? Format::waybar : Format::prometheus;
    return std::nullopt;
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("format"));
    parser.addOptions({QCommandLineOption(QStringList{"h", "help"}), QCommandLineOption(QStringList{"v", "version"}),
                       QCommandLineOption("snapshot"), QCommandLineOption("watch"), format,
                       QCommandLineOption("open"), QCommandLineOption("settings")});
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) return failure(Error::unknownOption, parser.unknownOptionNames()[0]);
        if (arguments.last() == "--format") return failure(Error::needsValue, arguments.last());
        // The one failure left: a value joined to a flag, as in --watch=2.
        for (const QString& argument : arguments.mid(1)) {
            if (argument.startsWith('-') && argument.contains('=')) return failure(Error::unexpectedArgument, argument);
        }
        return failure(Error::unexpectedArgument, arguments.mid(1).join(' '));
    }
    CommandLine line;
    if (parser.isSet("help") || parser.isSet("version")) {
        line.action = parser.isSet("help") ? Action::help : Action::version;
        return line;
    }
    const auto action = chosenAction(parser);
    if (!action) return failure(Error::oneAction, {});
    line.action = *action;
    const QStringList values = parser.positionalArguments();
    if (!values.isEmpty() && !readValue(values[0], line)) return line;
    if (values.size() > 1) return failure(Error::unexpectedArgument, values[1]);
    if (parser.isSet(format)) {
        if (line.action != Action::watch && line.action != Action::snapshot) {
            return failure(Error::formatNeedsWatch, {});
        }
        const auto named = formatNamed(line.action, parser.value(format));
        if (!named) return failure(Error::format, parser.value(format));
        line.format = *named;
    }
    return line;
}

std::optional<int> CommandLine::tabIndex(const QString& name) {
    for (int i = 0; i < static_cast<int>(tabNames.size()); ++i) {
        if (name == tabNames[i]) return i;
    }
    return std::nullopt;
}

std::string CommandLine::errorMessage() const {
    const std::string subject = errorSubject.toStdString();
    switch (error) {
        case Error::unknownOption: return L::unknownOption(subject.size() == 1 ? "-" + subject : "--" + subject);
        case Error::unexpectedArgument: return L::unexpectedArgument(subject);
        case Error::watchInterval: return L::invalidWatchInterval(subject);
        case Error::tab: return L::invalidTab(subject);
        case Error::format: return L::invalidFormat(subject);
        case Error::formatNeedsWatch: return L::formatNeedsWatch();
        case Error::needsValue: return L::optionNeedsValue(subject);
        case Error::oneAction: return L::oneActionOnly();
        case Error::none: break;
    }
    return {};
}

}  // namespace corvelle
