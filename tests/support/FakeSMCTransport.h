#pragma once

#include "platform/SMCTransport.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <vector>

namespace corvelle::test {

// A controller with a fixed set of keys; records every call.
class FakeSMCTransport : public SMCTransport {
public:
    struct Call {
        std::uint32_t selector;
        SMCParamRecord input;
    };
    struct Key {
        std::uint32_t type;
        std::uint32_t size;
        std::array<std::uint8_t, 32> bytes;
    };

    void setKey(std::string_view key, std::string_view type, std::vector<std::uint8_t> bytes, std::uint32_t size = 4) {
        Key entry{fourCharCode(type), size, {}};
        std::copy_n(bytes.begin(), std::min(bytes.size(), entry.bytes.size()), entry.bytes.begin());
        keys[fourCharCode(key)] = entry;
    }
    void removeKey(std::string_view key) { keys.erase(fourCharCode(key)); }

    bool open() override { return openSucceeds; }
    void close() override {}
    bool call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) override {
        calls.push_back({selector, input});
        const auto found = keys.find(input.key);
        if (selector != kSelector || found == keys.end()) return false;
        output.key = input.key;
        if (input.command == SMCParamRecord::kCommandGetKeyInfo) {
            output.dataType = found->second.type;
            output.dataSize = found->second.size;
            return true;
        }
        if (input.command != SMCParamRecord::kCommandReadKey) return false;
        output.bytes = found->second.bytes;
        return true;
    }

    bool openSucceeds = true;
    std::map<std::uint32_t, Key> keys;
    std::vector<Call> calls;
};

}  // namespace corvelle::test
