// Single-value sensor files: hwmon and thermal-zone temperatures, fan inputs, RAPL counters.
// RAPL takes three lines: the previous counter, the current one and the counter's range.
#include "FuzzCheck.h"
#include "linux/power/RaplEnergySource.h"
#include "linux/SensorText.h"
#include "linux/TextFile.h"

#include <cmath>

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::text(data, size);
    if (const auto celsius = SensorText::celsius(input)) {
        fuzz::require(std::isfinite(*celsius) && *celsius > -50 && *celsius < 200, "a plausible temperature");
    }
    if (const auto rpm = SensorText::rpm(input)) fuzz::require(std::isfinite(*rpm) && *rpm >= 0, "a plausible fan speed");
    const auto lines = fuzz::pieces(input, '\n');
    if (lines.size() != 3) return 0;
    const auto previous = TextFile::parseUnsigned(lines[0]);
    const auto current = TextFile::parseUnsigned(lines[1]);
    const auto range = TextFile::parseUnsigned(lines[2]);
    if (!previous || !current || !range) return 0;
    const auto microjoules = RaplEnergySource::usedEnergy(*previous, *current, *range);
    const auto millijoules = RaplEnergySource::usedMillijoules(*previous, *current, *range);
    fuzz::require(microjoules.has_value() == millijoules.has_value(), "mJ whenever µJ");
    if (!millijoules) return 0;
    const auto error = static_cast<__int128>(*millijoules) * 1000 - static_cast<__int128>(*microjoules);
    fuzz::require(*millijoules >= 0 && error >= -500 && error <= 500, "mJ are the µJ rounded");
    return 0;
}
