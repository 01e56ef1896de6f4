#include "linux/EnvironmentLanguages.h"
#include "linux/XdgAutostartLoginItem.h"
#include "util/AtomicFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace corvelle {
namespace {

TEST(XdgAutostartLoginItem, RegisterWritesAnEntryForAnyPathAndUnregisterRemovesIt) {
    test::TempDir dir;
    XdgAutostartLoginItem item(dir / "autostart", "/opt/My Apps/corvelle");
    EXPECT_FALSE(item.isEnabled());
    ASSERT_TRUE(item.registerItem());
    EXPECT_TRUE(item.isEnabled());
    EXPECT_EQ(AtomicFile::read(item.entryPath()), XdgAutostartLoginItem::desktopEntry("/opt/My Apps/corvelle"));
    // An entry switched off by the desktop is not enabled.
    std::ofstream(item.entryPath()) << "[Desktop Entry]\nExec=corvelle\nHidden=true\n";
    EXPECT_FALSE(item.isEnabled());
    ASSERT_TRUE(item.unregisterItem());
    EXPECT_FALSE(std::filesystem::exists(item.entryPath()));
    EXPECT_TRUE(item.unregisterItem());  // already gone is success
    // Exec quotes and escapes any path.
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/corvelle", "Exec=/usr/bin/corvelle\n"}, {"/tmp/100%/corvelle", "Exec=/tmp/100%%/corvelle\n"},
        {"/opt/My Apps/corvelle", "Exec=\"/opt/My Apps/corvelle\"\n"},
        {"/tmp/a\"b$c", "Exec=\"/tmp/a\\\\\"b\\\\$c\"\n"},
        {"/tmp/back\\slash", "Exec=\"/tmp/back\\\\\\\\slash\"\n"},
        {"/tmp/new\nline", "Exec=\"/tmp/new\\nline\"\n"},
    };
    for (const auto& [path, exec] : cases) {
        const auto entry = XdgAutostartLoginItem::desktopEntry(path);
        EXPECT_NE(entry.find(std::string("\n") + exec), std::string::npos) << path << "\n" << entry;
    }
}

TEST(EnvironmentLanguages, LocaleNamesBecomeTags) {
    const std::pair<const char*, const char*> tags[] = {
        {"es_MX.UTF-8", "es-MX"}, {"de_DE@euro", "de-DE"}, {"C.UTF-8", ""}, {"POSIX", ""}};
    for (const auto& [locale, tag] : tags) EXPECT_EQ(localeToLanguageTag(locale), tag) << locale;

    setenv("LANGUAGE", "es_ES:en", 1);
    setenv("LANG", "fr_FR.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    EXPECT_EQ(environmentPreferredLanguages(), (std::vector<std::string>{"es-ES", "en", "fr-FR"}));
    unsetenv("LANGUAGE");
    setenv("LC_ALL", "C", 1);
    EXPECT_TRUE(environmentPreferredLanguages().empty());
}

}  // namespace
}  // namespace corvelle
