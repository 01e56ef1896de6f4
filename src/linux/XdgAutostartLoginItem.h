#pragma once

#include "platform/LoginItem.h"

#include <filesystem>
#include <string>

namespace corvelle {

// Launch at login through an XDG autostart entry, io.mirelo.corvelle.desktop in the user's
// autostart folder, whose Exec line points at the given executable.
class XdgAutostartLoginItem : public LoginItem {
public:
    XdgAutostartLoginItem(std::filesystem::path autostartDirectory, std::filesystem::path executable);

    bool isEnabled() const override;
    bool registerItem() override;
    bool unregisterItem() override;

    std::filesystem::path entryPath() const { return directory_ / "io.mirelo.corvelle.desktop"; }
    // The entry's text for an executable path.
    static std::string desktopEntry(const std::filesystem::path& executable);

private:
    std::filesystem::path directory_;
    std::filesystem::path executable_;
};

}  // namespace corvelle
