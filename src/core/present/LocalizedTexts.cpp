#include "present/LocalizedTexts.h"

#include "localization/Language.h"

namespace corvelle {

void LocalizedTexts::update() {
    const int language = static_cast<int>(currentLanguage());
    if (language == language_) return;
    language_ = language;
    for (const auto& show : texts_) show();
}

}  // namespace corvelle
