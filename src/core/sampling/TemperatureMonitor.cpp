#include "sampling/TemperatureMonitor.h"

#include "platform/SMCKeys.h"

#include <bit>
#include <cmath>
#include <limits>
#include <numeric>

namespace corvelle {
namespace {

constexpr std::uint32_t kFloat = fourCharCode("flt ");
constexpr std::uint32_t kSp78 = fourCharCode("sp78");
constexpr std::uint32_t kIoft = fourCharCode("ioft");
constexpr std::uint32_t kFpe2 = fourCharCode("fpe2");

std::uint16_t highWord(const SMCService::Bytes& b) { return static_cast<std::uint16_t>(b[0] << 8 | b[1]); }

float floatFrom(const SMCService::Bytes& b) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
                                static_cast<std::uint32_t>(b[2]) << 8 | b[3]);
}

double signedFixed(const SMCService::Bytes& b) { return static_cast<std::int16_t>(highWord(b)) / 256.0; }

double mean(const std::vector<double>& values) {
    return values.empty() ? 0 : std::accumulate(values.begin(), values.end(), 0.0) / values.size();
}

}  // namespace

std::optional<double> TemperatureMonitor::decodeTemperature(const SMCService::Bytes& bytes, std::uint32_t type) {
    double value = 0;
    if (type == kFloat) {
        value = floatFrom(bytes);
    } else if (type == kSp78) {
        value = signedFixed(bytes);
    } else if (type == kIoft) {
        value = highWord(bytes) / 256.0;
    } else {
        value = signedFixed(bytes);
        if (!(value > -40 && value < 150)) return std::nullopt;
    }
    if (!(value > 0 && value < 150)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> TemperatureMonitor::decodeFanSpeed(const SMCService::Bytes& bytes, std::uint32_t type) {
    if (type == kFpe2) return highWord(bytes) >> 2;
    if (type != kFloat) return highWord(bytes);
    const double speed = std::trunc(static_cast<double>(floatFrom(bytes)));
    if (!std::isfinite(speed) || speed < 0) return std::nullopt;
    // Speeds beyond 32 bits, even beyond 64, read as the largest 32-bit speed.
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return speed >= kMax ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(speed);
}

std::optional<std::pair<SMCService::Bytes, std::uint32_t>> TemperatureMonitor::read(std::string_view key) {
    const auto bytes = smc_.readBytes(key);
    if (!bytes) return std::nullopt;
    const auto type = smc_.getKeyInfo(key);
    if (!type) return std::nullopt;
    return std::pair{*bytes, *type};
}

std::optional<TemperatureMonitor::Snapshot> TemperatureMonitor::sample() {
    Snapshot snapshot;
    const auto readGroup = [&](const auto& keys) {
        std::vector<double> values;
        for (const std::string_view key : keys) {
            const auto data = read(key);
            const auto value = data ? decodeTemperature(data->first, data->second) : std::nullopt;
            if (!value) continue;
            values.push_back(*value);
            snapshot.allTemperatures[std::string(key)] = *value;
        }
        return mean(values);
    };
    snapshot.eCoreTemp = readGroup(Constants::SMCKeys::eCoreTemps);
    snapshot.pCoreTemp = readGroup(Constants::SMCKeys::pCoreTemps);
    snapshot.gpuTemp = readGroup(Constants::SMCKeys::gpuTemps);
    if (snapshot.allTemperatures.empty()) return std::nullopt;

    for (const std::string_view key : Constants::SMCKeys::fanSpeed) {
        const auto data = read(key);
        if (const auto speed = data ? decodeFanSpeed(data->first, data->second) : std::nullopt) {
            snapshot.fanSpeeds.push_back(*speed);
        }
    }
    for (const auto& [key, value] : snapshot.allTemperatures) snapshot.sortedTemperatures.push_back({key, value});
    return snapshot;
}

}  // namespace corvelle
