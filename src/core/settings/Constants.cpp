#include "settings/Constants.h"

namespace corvelle::Constants {

const std::string& version() {
#ifdef CORVELLE_VERSION
    static const std::string value = std::string(CORVELLE_VERSION).empty() ? "1.0.1" : CORVELLE_VERSION;
#else
    static const std::string value = "1.0.1";
#endif
    return value;
}

}  // namespace corvelle::Constants
