#include "linux/PowerSupplies.h"

#include "linux/TextFile.h"

#include <algorithm>

namespace corvelle::PowerSupplies {

std::vector<std::filesystem::path> list(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> supplies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root / "sys/class/power_supply", error)) {
        supplies.push_back(entry.path());
    }
    std::sort(supplies.begin(), supplies.end());
    return supplies;
}

void readInto(const std::filesystem::path& supply, std::initializer_list<const char*> names, Attributes& attributes) {
    for (const char* name : names) {
        if (auto value = TextFile::readTrimmed(supply / name)) attributes.emplace(name, std::move(*value));
    }
}

std::string_view text(const Attributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string_view() : std::string_view(found->second);
}

bool isMachineBattery(const Attributes& attributes) {
    return text(attributes, "type") == "Battery" && text(attributes, "scope") != "Device";
}

}  // namespace corvelle::PowerSupplies
