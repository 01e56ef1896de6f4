#pragma once

#include "platform/SMCTransport.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace corvelle {

// Talks to the system management controller: key codes, cached key types, key data.
// Not thread-safe: one reader uses it at a time.
class SMCService {
public:
    using Bytes = std::array<std::uint8_t, 4>;

    // Opens the connection at once; a null transport or a failed open leaves it closed for good.
    explicit SMCService(std::unique_ptr<SMCTransport> transport);
    ~SMCService();
    SMCService(const SMCService&) = delete;
    SMCService& operator=(const SMCService&) = delete;

    bool isOpen() const { return isOpen_; }
    // The key's data type code; asked once per key, then cached.
    std::optional<std::uint32_t> getKeyInfo(std::string_view key);
    // The first four data bytes of the key, in the order received.
    std::optional<Bytes> readBytes(std::string_view key);

private:
    bool call(const SMCParamRecord& input, SMCParamRecord& output);

    std::unique_ptr<SMCTransport> transport_;
    bool isOpen_ = false;
    std::unordered_map<std::uint32_t, std::uint32_t> keyTypeCache_;
};

}  // namespace corvelle
