#pragma once

#include <string>

namespace corvelle {

// Descriptions of the machine that feedback and telemetry send.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual std::string machineModel() const = 0;
    virtual std::string osVersion() const = 0;
};

}  // namespace corvelle
