#pragma once

#include "platform/ChargeThresholds.h"

namespace corvelle {

// Reads the system battery's charge thresholds. Read on demand (when the battery care card opens
// and after a change), never per tick. A machine without them gives thresholds that are not
// supported().
class ChargeThresholdSource {
public:
    virtual ~ChargeThresholdSource() = default;
    virtual ChargeThresholds read() = 0;
};

}  // namespace corvelle
