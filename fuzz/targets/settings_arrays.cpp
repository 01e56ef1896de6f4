// The pinned widgets and the three section orders, as stored in the settings. Duplicates stay as
// stored (a user's own order); what must hold is that nothing is lost.
#include "FuzzCheck.h"
#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"

#include <algorithm>

using namespace corvelle;

namespace {

template <typename Section>
void requireWholeOrder(const AppSettings& settings, const std::string& key) {
    const auto order = settings.loadOrder<Section>(key);
    for (auto section : allCases<Section>()) {
        fuzz::require(std::find(order.begin(), order.end(), section) != order.end(), "every section is shown");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto store = std::make_shared<MemoryKeyValueStore>();
    const Bytes bytes(data, data + size);
    for (const auto* key : {&AppSettings::pinnedWidgetsKey, &AppSettings::overviewSectionOrderKey,
                            &AppSettings::batterySectionOrderKey, &AppSettings::historySectionOrderKey}) {
        store->write(*key, bytes);
    }
    const AppSettings settings(store, nullptr);
    fuzz::require(!settings.loadPinnedWidgets().empty(), "at least one pinned widget");
    requireWholeOrder<OverviewSection>(settings, AppSettings::overviewSectionOrderKey);
    requireWholeOrder<BatterySection>(settings, AppSettings::batterySectionOrderKey);
    requireWholeOrder<HistorySection>(settings, AppSettings::historySectionOrderKey);
    return 0;
}
