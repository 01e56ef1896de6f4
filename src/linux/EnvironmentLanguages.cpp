#include "linux/EnvironmentLanguages.h"

#include <cstdlib>

namespace corvelle {

std::string localeToLanguageTag(const std::string& locale) {
    std::string tag = locale.substr(0, locale.find_first_of(".@"));
    if (tag.empty() || tag == "C" || tag == "POSIX") return "";
    for (char& c : tag) {
        if (c == '_') c = '-';
    }
    return tag;
}

std::vector<std::string> environmentPreferredLanguages() {
    std::vector<std::string> tags;
    auto add = [&](const std::string& locale) {
        auto tag = localeToLanguageTag(locale);
        if (!tag.empty()) tags.push_back(tag);
    };
    if (const char* list = std::getenv("LANGUAGE"); list && *list) {
        std::string value = list;
        size_t start = 0;
        while (start <= value.size()) {
            const auto end = value.find(':', start);
            add(value.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            add(value);
            break;
        }
    }
    return tags;
}

}  // namespace corvelle
