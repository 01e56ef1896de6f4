#include "localization/Language.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(Language, TheSettingWinsThenTheFirstPreferredLanguage) {
    const struct { const char* setting; std::vector<std::string> preferred; Language expected; } cases[] = {
        {"", {"es-ES", "en"}, Language::es}, {"", {"en-GB", "es"}, Language::en}, {"", {}, Language::en},
        {"", {"eu-ES"}, Language::en}, {"en", {"es-ES"}, Language::en}, {"es", {"en-US"}, Language::es},
        {"ES", {"es-MX"}, Language::es},  // not a language: falls back to detection
    };
    for (const auto& c : cases) EXPECT_EQ(languageFor(c.setting, c.preferred), c.expected) << c.setting;
}

}  // namespace
}  // namespace corvelle
