#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

namespace corvelle {

// What the command line asks for. Parsing needs no texts, so it runs before the settings that
// choose the language are installed; errorMessage() comes from the catalogue afterwards.
struct CommandLine {
    enum class Action { start, help, version, snapshot, watch, open, settings };
    // plain: the action's own output (the title for --watch, JSON for --snapshot).
    enum class Format { plain, waybar, prometheus };
    enum class Error { none, unknownOption, unexpectedArgument, watchInterval, tab, format, formatNeedsWatch,
                       needsValue, oneAction };

    // The panel's tabs in their order, as --open names them.
    static constexpr std::array<const char*, 5> tabNames{"tips", "overview", "processes", "battery", "history"};
    static constexpr double shortestWatchInterval = 1;
    static constexpr double longestWatchInterval = 3600;

    Action action = Action::start;
    Format format = Format::plain;
    std::optional<double> watchInterval;  // seconds; none: the settings' update interval
    QString tab;                          // --open; empty: the panel as it was
    Error error = Error::none;
    QString errorSubject;  // the option or value the error is about

    // `arguments` starts with the program's name.
    static CommandLine parse(const QStringList& arguments);
    // The position of a tab name in tabNames; none for any other text.
    static std::optional<int> tabIndex(const QString& name);
    std::string errorMessage() const;
};

}  // namespace corvelle
