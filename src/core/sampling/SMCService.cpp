#include "sampling/SMCService.h"

namespace corvelle {

SMCService::SMCService(std::unique_ptr<SMCTransport> transport) : transport_(std::move(transport)) {
    isOpen_ = transport_ && transport_->open();
}

SMCService::~SMCService() {
    if (isOpen_) transport_->close();
}

bool SMCService::call(const SMCParamRecord& input, SMCParamRecord& output) {
    output = SMCParamRecord{};
    return transport_->call(SMCTransport::kSelector, input, output);
}

std::optional<std::uint32_t> SMCService::getKeyInfo(std::string_view key) {
    if (!isOpen_) return std::nullopt;
    const std::uint32_t code = fourCharCode(key);
    if (const auto cached = keyTypeCache_.find(code); cached != keyTypeCache_.end()) return cached->second;
    SMCParamRecord input;
    input.key = code;
    input.command = SMCParamRecord::kCommandGetKeyInfo;
    SMCParamRecord output;
    if (!call(input, output)) return std::nullopt;
    keyTypeCache_[code] = output.dataType;
    return output.dataType;
}

std::optional<SMCService::Bytes> SMCService::readBytes(std::string_view key) {
    if (!isOpen_) return std::nullopt;
    SMCParamRecord input;
    input.key = fourCharCode(key);
    input.command = SMCParamRecord::kCommandGetKeyInfo;
    SMCParamRecord output;
    if (!call(input, output)) return std::nullopt;
    input.dataSize = output.dataSize;
    input.command = SMCParamRecord::kCommandReadKey;
    if (!call(input, output)) return std::nullopt;
    return Bytes{output.bytes[0], output.bytes[1], output.bytes[2], output.bytes[3]};
}

}  // namespace corvelle
