#include "powerservice/PowerService.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    namespace PowerService = corvelle::PowerService;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::filesystem::path root = "/";
#ifdef CORVELLE_POWER_SERVICE_TEST_BUILD
    // Only the test build reads another tree: --root DIR.
    if (arguments.size() == 2 && arguments[0] == "--root") {
        root = arguments[1];
        arguments.clear();
    }
#endif
    if (!arguments.empty()) {
        std::cerr << "usage: corvelle-power (started by corvelle-power.service)\n";
        return PowerService::badArguments;
    }
    const auto folder = PowerService::runtimeFolder(std::getenv("RUNTIME_DIRECTORY"));
    if (folder.empty() || !folder.is_absolute()) {
        std::cerr << "corvelle-power: RUNTIME_DIRECTORY names no folder; start corvelle-power.service instead\n";
        return PowerService::badArguments;
    }
    return PowerService::run(root, folder, std::cerr);
}
