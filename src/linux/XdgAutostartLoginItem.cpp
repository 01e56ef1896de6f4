#include "linux/XdgAutostartLoginItem.h"

#include "linux/TextFile.h"
#include "util/AtomicFile.h"

namespace corvelle {
namespace {

// Exec values quote arguments with double quotes; backslash, quote, dollar and backtick are
// escaped inside them.
std::string quoted(const std::string& path) {
    std::string result = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') result += '\\';
        result += c;
    }
    return result + "\"";
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
           "Exec=" + quoted(executable.string()) + "\n"
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
    return AtomicFile::write(entryPath(), desktopEntry(executable_));
}

bool XdgAutostartLoginItem::unregisterItem() {
    std::error_code error;
    std::filesystem::remove(entryPath(), error);
    return !error;
}

}  // namespace corvelle
