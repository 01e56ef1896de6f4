#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvelle {

// The 76-byte parameter record that every controller call sends and receives. Multi-byte
// fields are in host byte order; everything not set is zero.
struct SMCParamRecord {
    std::uint32_t key = 0;
    std::uint8_t versionMajor = 0;
    std::uint8_t versionMinor = 0;
    std::uint8_t versionBuild = 0;
    std::uint8_t versionReserved = 0;
    std::uint16_t versionRelease = 0;
    std::uint16_t alignmentGap = 0;
    std::uint16_t powerLimitVersion = 0;
    std::uint16_t powerLimitLength = 0;
    std::uint32_t cpuPowerLimit = 0;
    std::uint32_t gpuPowerLimit = 0;
    std::uint32_t memoryPowerLimit = 0;
    std::uint32_t dataSize = 0;
    std::uint32_t dataType = 0;
    std::uint8_t dataAttributes = 0;
    std::uint8_t result = 0;
    std::uint8_t status = 0;
    std::uint8_t command = 0;
    std::uint32_t data32 = 0;
    std::array<std::uint8_t, 32> bytes{};

    static constexpr std::uint8_t kCommandReadKey = 5;
    static constexpr std::uint8_t kCommandGetKeyInfo = 9;
};

static_assert(sizeof(SMCParamRecord) == 76);
static_assert(offsetof(SMCParamRecord, versionRelease) == 8);
static_assert(offsetof(SMCParamRecord, powerLimitVersion) == 12);
static_assert(offsetof(SMCParamRecord, dataSize) == 28);
static_assert(offsetof(SMCParamRecord, dataType) == 32);
static_assert(offsetof(SMCParamRecord, command) == 39);
static_assert(offsetof(SMCParamRecord, bytes) == 44);

// The code of a key or data type name: its first four bytes, first most significant, padded
// with spaces.
constexpr std::uint32_t fourCharCode(std::string_view text) {
    std::uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i) {
        code = (code << 8) | (i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0x20u);
    }
    return code;
}

}  // namespace corvelle
