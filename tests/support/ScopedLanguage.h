#pragma once

#include "settings/AppSettings.h"

#include <string>

namespace corvelle::test {

// Sets the shared language setting for the life of the object, then restores it.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const std::string& raw) : previous_(AppSettings::shared().languageRaw()) {
        AppSettings::shared().setLanguageRaw(raw);
    }
    ~ScopedLanguage() { AppSettings::shared().setLanguageRaw(previous_); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    std::string previous_;
};

}  // namespace corvelle::test
