#pragma once

#include <string>

// The text catalogue, accessibility names of controls that show no text of their own. Every
// member returns the text in the current language.
namespace corvelle::L {

std::string tabSelector();
std::string pinnedWidgets();

}  // namespace corvelle::L
