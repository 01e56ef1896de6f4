#include "helper/ChargeLimitHelper.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::filesystem::path root = "/";
#ifdef CORVELLE_CHARGE_LIMIT_TEST_BUILD
    // Only the test build reads another tree: --root DIR before the usual arguments.
    if (arguments.size() >= 2 && arguments[0] == "--root") {
        root = arguments[1];
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
#endif
    return corvelle::ChargeLimitHelper::run(arguments, root, std::cout, std::cerr);
}
