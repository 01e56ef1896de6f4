#pragma once

#include "localization/Language.h"
#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"

namespace corvelle::test {

// What main installs before anything runs: the shared settings, here on an in-memory store, and
// the language lookup, here without preferred languages (English until a test sets one).
inline void installProcessWideState() {
    AppSettings::installShared(std::make_shared<MemoryKeyValueStore>(), nullptr);
    installLanguageLookup([] { return std::vector<std::string>{}; });
}

}  // namespace corvelle::test
