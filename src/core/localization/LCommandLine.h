#pragma once

#include <string>

// The text catalogue, command line: the help, its error messages, the status bar tooltip, what a
// second start says when the first does not answer and what a start without a display says.
namespace corvelle::L {

std::string commandLineHelp();
std::string unknownOption(const std::string& option);
std::string unexpectedArgument(const std::string& argument);
std::string invalidWatchInterval(const std::string& value);
std::string invalidTab(const std::string& value);
std::string invalidFormat(const std::string& value);
std::string formatGoesWith(const std::string& format, const std::string& option);
std::string repeatedOption(const std::string& option);
std::string optionNeedsValue(const std::string& option);
std::string oneActionOnly();
std::string tryHelp();
std::string runningInstanceSilent();
std::string needsDisplay();

std::string thermalStateLine(const std::string& label);

}  // namespace corvelle::L
