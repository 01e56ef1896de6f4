#pragma once

namespace corvelle {

// The tick's core averages, used to weight energy impact by how busy the performance cores are.
struct CoreContext {
    double eCoreAverage = 0;
    double pCoreAverage = 0;
};

}  // namespace corvelle
