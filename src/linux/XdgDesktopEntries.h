#pragma once

#include "platform/DesktopEntries.h"

#include <filesystem>
#include <vector>

namespace corvelle {

// Desktop entries from the "applications" folders of the XDG data directories, read on request:
// the first folder holding "<id>.desktop" decides.
class XdgDesktopEntries : public DesktopEntries {
public:
    // dataDirs are absolute paths, most important first, taken under root.
    XdgDesktopEntries(std::filesystem::path root, std::vector<std::filesystem::path> dataDirs);

    std::optional<std::string> applicationName(std::string_view desktopId, std::string_view language) override;

    // The Name of the [Desktop Entry] group of an entry's text: Name[ll_CC], then Name[ll], then
    // Name, for a language "ll-CC" or "ll". Escapes (\s, \n, \t, \r, \\) are undone.
    static std::optional<std::string> parseName(std::string_view text, std::string_view language);

private:
    std::filesystem::path root_;
    std::vector<std::filesystem::path> dataDirs_;
    std::string buffer_;
};

}  // namespace corvelle
