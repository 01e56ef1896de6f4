#include "linux/gpu/DrmFdinfo.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <cctype>

namespace corvelle {
namespace {

// A count with an optional unit: "1234 ns", "192 KiB", "16 MiB", "12 kB", "9".
std::optional<std::uint64_t> amount(std::string_view value, std::uint64_t& unit) {
    const auto fields = TextFile::fields(value);
    if (fields.empty() || fields.size() > 2) return std::nullopt;
    unit = 1;
    if (fields.size() == 2) {
        const auto name = fields[1];
        if (name == "KiB" || name == "kB") {
            unit = 1024;
        } else if (name == "MiB") {
            unit = 1024 * 1024;
        } else if (name == "GiB") {
            unit = 1024ULL * 1024 * 1024;
        } else if (name != "ns" && name != "B") {
            return std::nullopt;
        }
    }
    return TextFile::parseUnsigned(fields[0]);
}

std::optional<std::uint64_t> bytes(std::string_view value) {
    std::uint64_t unit = 1;
    const auto count = amount(value, unit);
    if (!count || *count > UINT64_MAX / unit) return std::nullopt;
    return *count * unit;
}

std::optional<std::uint64_t> plain(std::string_view value) {
    std::uint64_t unit = 1;
    const auto count = amount(value, unit);
    return unit == 1 ? count : std::nullopt;
}

// amdgpu before 5.19 wrote a ring's share as "%d.%d%%" of hundredths: "12.5%" is 12.05 %.
std::optional<double> legacyPercent(std::string_view value) {
    if (!value.ends_with('%')) return std::nullopt;
    value.remove_suffix(1);
    const auto dot = value.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const auto whole = TextFile::parseUnsigned(value.substr(0, dot));
    const auto hundredths = TextFile::parseUnsigned(value.substr(dot + 1));
    if (!whole || !hundredths || *hundredths > 99 || *whole > 100) return std::nullopt;
    return static_cast<double>(*whole * 100 + *hundredths) / 100;
}

// "gfx0" names ring 0 of the gfx engine class; the busiest ring stands for the class.
std::string_view ringClass(std::string_view key) {
    while (!key.empty() && std::isdigit(static_cast<unsigned char>(key.back()))) key.remove_suffix(1);
    return key;
}

void addVram(DrmFdinfo& info, std::optional<std::uint64_t> value) {
    if (!value) return;
    info.vramBytes = info.vramBytes.value_or(0) + *value;
}

// One "key: value" line; other keys are left alone.
void apply(std::string_view key, std::string_view value, DrmFdinfo& info, bool& residentVram) {
    const auto engine = [&info](std::string_view name) -> DrmFdinfo::Engine& { return info.engines[std::string(name)]; };
    if (key == "drm-driver") {
        info.driver = value;
    } else if (key == "drm-pdev" || key == "pdev") {
        info.pdev = value;
    } else if (key == "drm-client-id" || key == "pasid") {
        info.clientId = TextFile::parseUnsigned(value);
    } else if (key.starts_with("drm-engine-capacity-")) {
        const auto capacity = plain(value);
        if (capacity && *capacity > 0) engine(key.substr(20)).capacity = *capacity;
    } else if (key.starts_with("drm-engine-")) {
        engine(key.substr(11)).busyNanoseconds = plain(value);
    } else if (key.starts_with("drm-total-cycles-")) {
        engine(key.substr(17)).totalCycles = plain(value);
    } else if (key.starts_with("drm-cycles-")) {
        engine(key.substr(11)).cycles = plain(value);
    } else if (key.starts_with("drm-resident-vram")) {
        // Newer kernels say what is resident; older ones only what is allocated (drm-memory-vram).
        if (!residentVram) info.vramBytes.reset();
        residentVram = true;
        addVram(info, bytes(value));
    } else if ((key == "drm-memory-vram" || key == "vram mem") && !residentVram) {
        addVram(info, bytes(value));
    } else if (const auto percent = legacyPercent(value)) {
        auto& ring = engine(ringClass(key));
        ring.percent = std::max(ring.percent.value_or(0), *percent);
    }
}

}  // namespace

std::optional<DrmFdinfo> DrmFdinfo::parse(std::string_view text) {
    DrmFdinfo info;
    bool residentVram = false;
    TextFile::forEachLine(text, [&](std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) return;
        const auto key = TextFile::trim(line.substr(0, colon));
        const auto value = TextFile::trim(line.substr(colon + 1));
        apply(key, value, info, residentVram);
    });
    // Counters a line failed to give are no counters.
    std::erase_if(info.engines, [](const auto& item) {
        const Engine& e = item.second;
        return !e.busyNanoseconds && !(e.cycles && e.totalCycles) && !e.percent;
    });
    if (info.driver.empty() && !info.clientId) return std::nullopt;
    return info;
}

}  // namespace corvelle
