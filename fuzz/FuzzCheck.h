#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace corvelle::fuzz {

// A property every input must keep. A broken one aborts like a crash, so the fuzzer keeps the
// input that broke it.
inline void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline std::string_view text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at `separator`, for targets that take several texts.
inline std::vector<std::string_view> pieces(std::string_view input, char separator) {
    std::vector<std::string_view> result;
    for (;;) {
        const auto at = input.find(separator);
        result.push_back(input.substr(0, at));
        if (at == std::string_view::npos) return result;
        input.remove_prefix(at + 1);
    }
}

}  // namespace corvelle::fuzz
