#include "app/launch/CommandLine.h"

#include "localization/LCommandLine.h"

#include <algorithm>
#include <map>

namespace corvelle {
namespace {

using Action = CommandLine::Action;
using Error = CommandLine::Error;

enum class Takes { nothing, optionalValue, value };

struct Option {
    const char* name;
    char shortName;  // 0: none
    Takes takes;
    Action action;   // start: the option chooses no action
};

constexpr Option options[] = {
    {"help", 'h', Takes::nothing, Action::help},          {"version", 'v', Takes::nothing, Action::version},
    {"snapshot", 0, Takes::nothing, Action::snapshot},    {"watch", 0, Takes::optionalValue, Action::watch},
    {"format", 0, Takes::value, Action::start},           {"open", 0, Takes::optionalValue, Action::open},
    {"settings", 0, Takes::nothing, Action::settings},
};

const Option* optionNamed(const QString& name) {
    for (const auto& option : options) {
        if (name == QLatin1String(option.name)) return &option;
    }
    return nullptr;
}

const Option* optionLettered(QChar letter) {
    for (const auto& option : options) {
        if (option.shortName != 0 && letter == QLatin1Char(option.shortName)) return &option;
    }
    return nullptr;
}

bool isNumber(const QString& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// Each option given, with its value (none: given without one).
using Given = std::map<const Option*, std::optional<QString>>;

CommandLine failure(Error error, const QString& subject) {
    CommandLine line;
    line.error = error;
    line.errorSubject = subject;
    return line;
}

// The value an option takes from its own word ("--watch=2") or the next ("--watch 2").
std::optional<CommandLine> readValue(const Option& option, const QStringList& arguments, qsizetype& i,
                                     std::optional<QString>& value) {
    const QString& word = arguments[i];
    const qsizetype equals = word.startsWith(QLatin1String("--")) ? word.indexOf('=') : -1;
    if (equals >= 0) {
        if (option.takes == Takes::nothing) return failure(Error::unexpectedArgument, word);
        value = word.mid(equals + 1);
    } else if (option.takes == Takes::value) {
        if (i + 1 == arguments.size()) return failure(Error::needsValue, word);
        value = arguments[++i];
    } else if (option.takes == Takes::optionalValue && i + 1 < arguments.size()) {
        // A word that is no option is the value; so is a negative number, which is then out of range.
        const QString& next = arguments[i + 1];
        if (!next.startsWith('-') || isNumber(next)) value = arguments[++i];
    }
    return std::nullopt;
}

// Reads the options and their values; the failure when the words do not form options.
std::optional<CommandLine> readOptions(const QStringList& arguments, Given& given) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word == QLatin1String("--")) {
            // What follows "--" is no option, and no option is left to take it.
            if (i + 1 < arguments.size()) return failure(Error::unexpectedArgument, arguments[i + 1]);
            break;
        }
        const bool isLong = word.startsWith(QLatin1String("--"));
        if (!isLong && (word.size() < 2 || word[0] != '-' || isNumber(word))) {
            return failure(Error::unexpectedArgument, word);
        }
        const QString typed = isLong ? word.section('=', 0, 0) : word;
        const Option* option = isLong ? optionNamed(typed.mid(2)) : word.size() == 2 ? optionLettered(word[1]) : nullptr;
        if (!option) return failure(Error::unknownOption, typed);
        if (given.contains(option)) return failure(Error::repeated, typed);
        if (auto failed = readValue(*option, arguments, i, given[option])) return failed;
    }
    return std::nullopt;
}

// Fills in the value after --watch or --open; false with the error set when it is not one.
bool readActionValue(const std::optional<QString>& value, CommandLine& line) {
    if (!value) return true;
    if (line.action == Action::open) {
        if (!CommandLine::tabIndex(*value)) return line = failure(Error::tab, *value), false;
        line.tab = *value;
        return true;
    }
    bool isNumber = false;
    const double seconds = value->toDouble(&isNumber);
    if (!isNumber || !(seconds >= CommandLine::shortestWatchInterval && seconds <= CommandLine::longestWatchInterval)) {
        return line = failure(Error::watchInterval, *value), false;
    }
    line.watchInterval = seconds;
    return true;
}

// The --format value's entry; the failure when there is none or it goes with another action.
std::optional<CommandLine> readFormat(const QString& name, CommandLine& line) {
    const auto& names = CommandLine::formatNames;
    const auto named = std::find_if(names.begin(), names.end(),
                                    [&](const CommandLine::FormatName& f) { return name == QLatin1String(f.name); });
    if (named == names.end()) return failure(Error::format, name);
    if (named->action != line.action) return failure(Error::formatAction, name);
    line.format = named->format;
    return std::nullopt;
}

const char* optionOf(Action action) {
    for (const auto& option : options) {
        if (option.action == action) return option.name;
    }
    return "";
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    Given given;
    if (auto failed = readOptions(arguments, given)) return *failed;
    CommandLine line;
    // --help and --version answer, whatever else is asked.
    for (const Action answer : {Action::help, Action::version}) {
        for (const auto& entry : given) {
            if (entry.first->action == answer) return line.action = answer, line;
        }
    }
    std::optional<QString> actionValue;
    std::optional<QString> formatName;
    for (const auto& [option, value] : given) {
        if (option->action == Action::start) {
            formatName = value;
            continue;
        }
        if (line.action != Action::start) return failure(Error::oneAction, {});
        line.action = option->action;
        actionValue = value;
    }
    if (!readActionValue(actionValue, line)) return line;
    if (formatName) {
        if (auto failed = readFormat(*formatName, line)) return *failed;
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
        case Error::unknownOption: return L::unknownOption(subject);
        case Error::unexpectedArgument: return L::unexpectedArgument(subject);
        case Error::watchInterval: return L::invalidWatchInterval(subject);
        case Error::tab: return L::invalidTab(subject);
        case Error::format: return L::invalidFormat(subject);
        case Error::formatAction: {
            const auto named = std::find_if(formatNames.begin(), formatNames.end(),
                                            [&](const FormatName& f) { return errorSubject == QLatin1String(f.name); });
            return L::formatGoesWith(subject, std::string("--") + optionOf(named->action));
        }
        case Error::needsValue: return L::optionNeedsValue(subject);
        case Error::oneAction: return L::oneActionOnly();
        case Error::repeated: return L::repeatedOption(subject);
        case Error::none: break;
    }
    return {};
}

}  // namespace corvelle
