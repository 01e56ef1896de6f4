#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

namespace corvelle {

// What the command line asks for. Parsing needs no texts, so it runs before the settings that
// choose the language are installed; errorMessage() comes from the catalogue afterwards.
// Conventions as Qt's command-line parser keeps them: "--opt=value" and "--opt value" alike,
// "-h" and "-v" for help and version, "--" ends the options; an option given twice is an error.
struct CommandLine {
    enum class Action { start, help, version, snapshot, watch, open, settings };
    // plain: the action's own output (the title for --watch, JSON for --snapshot).
    enum class Format { plain, waybar, prometheus };
    enum class Error { none, unknownOption, unexpectedArgument, watchInterval, tab, format, formatAction,
                       needsValue, oneAction, repeated };

    // The panel's tabs in their order, as --open names them.
    static constexpr std::array<const char*, 5> tabNames{"tips", "overview", "processes", "battery", "history"};
    // Each --format value and the option it goes with.
    struct FormatName {
        const char* name;
        Format format;
        Action action;
    };
    static constexpr std::array<FormatName, 4> formatNames{{{"plain", Format::plain, Action::watch},
                                                            {"waybar", Format::waybar, Action::watch},
                                                            {"json", Format::plain, Action::snapshot},
                                                            {"prometheus", Format::prometheus, Action::snapshot}}};
    static constexpr double shortestWatchInterval = 1;
    static constexpr double longestWatchInterval = 3600;

    Action action = Action::start;
    Format format = Format::plain;
    std::optional<double> watchInterval;  // seconds; none: the settings' update interval
    QString tab;                          // --open; empty: the panel as it was
    Error error = Error::none;
    QString errorSubject;  // the option (as typed) or value the error is about

    // `arguments` starts with the program's name.
    static CommandLine parse(const QStringList& arguments);
    // The position of a tab name in tabNames; none for any other text.
    static std::optional<int> tabIndex(const QString& name);
    std::string errorMessage() const;
};

}  // namespace corvelle
