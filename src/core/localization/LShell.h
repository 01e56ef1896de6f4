#pragma once

#include <string>

// The text catalogue, application shell area: status item, its menu, the panel frame, the
// pinned widgets and the update check. Every member returns the text in the current language.
namespace corvelle::L {

std::string statusItemDescription();
std::string menuOpen();
std::string menuSettings();
std::string menuCheckForUpdates();
std::string menuQuit();
std::string settingsWindowTitle();
std::string feedbackWindowTitle();
// Said once on GNOME without a tray: how to get the item into the top bar.
std::string topBarHintTitle();
std::string topBarHintBody();

std::string reorderSections();
std::string sendFeedback();
std::string settings();
std::string openLargerWindow();

std::string tabTips();
std::string tabOverview();
std::string tabProcesses();
std::string tabBattery();
std::string tabHistory();
std::string unknownTab();

std::string widgetBattery();
std::string widgetCPU();
std::string widgetTemperature();
std::string widgetPower();
std::string widgetMemory();
std::string removeWidget();

std::string updateAvailableTitle();
std::string updateAvailable(const std::string& version, const std::string& current);
std::string upToDateTitle();
std::string upToDate(const std::string& current);
std::string updateFailedTitle();
std::string updateServerUnreachable(const std::string& reason);
std::string updateFeedUnreadable();
std::string download();

}  // namespace corvelle::L
