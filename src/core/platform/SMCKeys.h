#pragma once

#include <array>
#include <string_view>

namespace corvelle::Constants::SMCKeys {

// Controller keys of the temperature and fan readings, read in this order.
inline constexpr std::array<std::string_view, 4> eCoreTemps{"Te05", "Te0S", "Te09", "Te0H"};
inline constexpr std::array<std::string_view, 8> pCoreTemps{"Tp01", "Tp05", "Tp09", "Tp0D",
                                                            "Tp0V", "Tp0Y", "Tp0b", "Tp0e"};
inline constexpr std::array<std::string_view, 4> gpuTemps{"Tg0G", "Tg0H", "Tg1U", "Tg1k"};
// One key per fan, as many as the controller numbers with one digit.
inline constexpr std::array<std::string_view, 10> fanSpeed{"F0Ac", "F1Ac", "F2Ac", "F3Ac", "F4Ac",
                                                           "F5Ac", "F6Ac", "F7Ac", "F8Ac", "F9Ac"};

}  // namespace corvelle::Constants::SMCKeys
