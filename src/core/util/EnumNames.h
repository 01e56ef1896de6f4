#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace corvelle {

// Raw-value tables for enumerations whose cases are 0, 1, 2, ... in declaration order.
template <typename Enum, size_t N>
constexpr std::string_view rawName(Enum value, const std::array<std::string_view, N>& names) {
    return names[static_cast<size_t>(value)];
}

template <typename Enum, size_t N>
constexpr std::optional<Enum> caseNamed(std::string_view raw, const std::array<std::string_view, N>& names) {
    for (size_t i = 0; i < N; ++i) {
        if (names[i] == raw) return static_cast<Enum>(i);
    }
    return std::nullopt;
}

}  // namespace corvelle
