#include "linux/XdgAutostartLoginItem.h"

#include "linux/FileSync.h"
#include "linux/TextFile.h"
#include "util/AtomicFile.h"

#include <string_view>

namespace corvelle {
namespace {

// One argument of an Exec line: quoted when it holds a reserved character, with the four
// characters that stay special inside quotes escaped by a backslash.
std::string quotedArgument(std::string_view argument) {
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    if (argument.find_first_of(reserved) == std::string_view::npos) return std::string(argument);
    std::string result = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') result += '\\';
        result += c;
    }
    return result + "\"";
}

// The Exec value is also a string value: its backslashes and control characters are escaped
// once more, and '%' is doubled so that no part of a path reads as a field code.
std::string escapedValue(std::string_view value) {
    std::string result;
    for (char c : value) {
        switch (c) {
            case '\\': result += "\\\\"; break;
            case '\n': result += "\\n"; break;
            case '\t': result += "\\t"; break;
            case '\r': result += "\\r"; break;
            case '%': result += "%%"; break;
            default: result += c;
        }
    }
    return result;
}

}  // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(std::filesystem::path autostartDirectory,
                                             std::filesystem::path executable)
    : directory_(std::move(autostartDirectory)), executable_(std::move(executable)) {}

std::string XdgAutostartLoginItem::desktopEntry(const std::filesystem::path& executable) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Corvelle\n"
           "Comment=System and power monitor\n"
           "Exec=" + escapedValue(quotedArgument(executable.string())) + "\n"
           "Icon=io.mirelo.corvelle\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

// An entry that a desktop's settings switched off (Hidden=true or the GNOME flag) counts as
// not registered.
bool XdgAutostartLoginItem::isEnabled() const {
    std::string text;
    if (!TextFile::read(entryPath(), text)) return false;
    return text.find("\nHidden=true") == std::string::npos &&
           text.find("\nX-GNOME-Autostart-enabled=false") == std::string::npos;
}

bool XdgAutostartLoginItem::registerItem() {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    return static_cast<bool>(AtomicFile::write(entryPath(), desktopEntry(executable_), syncToDevice));
}

bool XdgAutostartLoginItem::unregisterItem() {
    std::error_code error;
    std::filesystem::remove(entryPath(), error);
    return !error;
}

}  // namespace corvelle
