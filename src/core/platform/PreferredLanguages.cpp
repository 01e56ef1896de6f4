#include "platform/PreferredLanguages.h"

#include <mutex>

namespace corvelle {
namespace {
std::mutex providerMutex;
PreferredLanguagesProvider& provider() {
    static PreferredLanguagesProvider instance;
    return instance;
}
}  // namespace

void setPreferredLanguagesProvider(PreferredLanguagesProvider newProvider) {
    std::lock_guard lock(providerMutex);
    provider() = std::move(newProvider);
}

std::vector<std::string> preferredLanguages() {
    PreferredLanguagesProvider current;
    {
        std::lock_guard lock(providerMutex);
        current = provider();
    }
    return current ? current() : std::vector<std::string>{};
}

}  // namespace corvelle
