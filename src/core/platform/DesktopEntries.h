#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// The applications installed for the session (their desktop entries), by desktop id
// ("org.gnome.Nautilus", "firefox"). Used by the process sampler on its worker thread.
class DesktopEntries {
public:
    virtual ~DesktopEntries() = default;
    // The entry's Name in the language ("es", "es-MX"), else its untranslated Name; none when
    // there is no entry or it has no name.
    virtual std::optional<std::string> applicationName(std::string_view desktopId, std::string_view language) = 0;
};

}  // namespace corvelle
