#include "localization/Localized.h"

#include "localization/Language.h"

namespace corvelle {

std::string localized(std::string_view english, std::string_view spanish) {
    return std::string(currentLanguage() == Language::es ? spanish : english);
}

}  // namespace corvelle
