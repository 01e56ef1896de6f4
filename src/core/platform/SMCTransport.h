#pragma once

#include "platform/SMCParamRecord.h"

#include <cstdint>

namespace corvelle {

// The system management controller's user client: one parameter record in, one out.
class SMCTransport {
public:
    static constexpr std::uint32_t kSelector = 2;

    virtual ~SMCTransport() = default;
    // Opens the connection; false when the machine has no controller to talk to.
    virtual bool open() = 0;
    // One call on the open connection. True when the call itself succeeded; the record's
    // result and status bytes are the controller's business.
    virtual bool call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) = 0;
    virtual void close() = 0;
};

}  // namespace corvelle
