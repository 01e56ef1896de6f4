#include "localization/LAccessibility.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string tabSelector() { return localized("Tabs", "Pestañas"); }
std::string pinnedWidgets() { return localized("Pinned widgets", "Widgets fijados"); }

}  // namespace corvelle::L
