#include "linux/SensorText.h"

#include "linux/TextFile.h"

namespace corvelle::SensorText {
namespace {

constexpr double kLowestCelsius = -50, kHighestCelsius = 200;
// 65535 is the all-ones placeholder of a fan that has no reading.
constexpr std::int64_t kHighestRpm = 65'534;

}  // namespace

std::optional<double> celsius(std::string_view text) {
    const auto milli = TextFile::parseSigned(text);
    if (!milli) return std::nullopt;
    const double value = static_cast<double>(*milli) / 1000.0;
    if (value <= kLowestCelsius || value >= kHighestCelsius) return std::nullopt;
    return value;
}

std::optional<double> rpm(std::string_view text) {
    const auto value = TextFile::parseSigned(text);
    if (!value || *value < 0 || *value > kHighestRpm) return std::nullopt;
    return static_cast<double>(*value);
}

}  // namespace corvelle::SensorText
