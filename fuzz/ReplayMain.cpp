// Runs a fuzz target over files, as the fuzzer would: every seed and every input that once
// broke a target stays a test of the ordinary build.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#define CORVELLE_FUZZ_TARGET(name) extern "C" int fuzz_##name(const std::uint8_t* data, std::size_t size);
#include "FuzzTargets.inc"
#undef CORVELLE_FUZZ_TARGET

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

const std::map<std::string_view, Target> targets{
#define CORVELLE_FUZZ_TARGET(name) {#name, fuzz_##name},
#include "FuzzTargets.inc"
#undef CORVELLE_FUZZ_TARGET
};

int run(Target target, const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    return target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    const auto found = argc > 1 ? targets.find(argv[1]) : targets.end();
    if (found == targets.end()) {
        std::fprintf(stderr, "usage: %s TARGET FOLDER...\n", argv[0]);
        return 2;
    }
    int inputs = 0;
    for (int i = 2; i < argc; ++i) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            if (!entry.is_regular_file()) continue;
            run(found->second, entry.path());
            ++inputs;
        }
    }
    std::printf("%s: %d inputs\n", argv[1], inputs);
    return 0;
}
