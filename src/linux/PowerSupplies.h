#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The supplies in /sys/class/power_supply and their attribute files, for the battery reader
// and the charge-limit source alike.
namespace corvelle::PowerSupplies {

// Attribute file name to its text.
using Attributes = std::map<std::string, std::string, std::less<>>;

// Every supply's folder under `root`, in name order; none when the folder cannot be listed.
std::vector<std::filesystem::path> list(const std::filesystem::path& root);

// Adds the named attributes of a supply that can be read, trailing white space removed.
void readInto(const std::filesystem::path& supply, std::initializer_list<const char*> names, Attributes& attributes);

// An attribute's text, empty when it is missing.
std::string_view text(const Attributes& attributes, std::string_view name);

// A battery that powers the machine: not a peripheral's (scope Device).
bool isMachineBattery(const Attributes& attributes);

}  // namespace corvelle::PowerSupplies
