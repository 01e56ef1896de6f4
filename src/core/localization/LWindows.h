#pragma once

#include <cstdint>
#include <string>

// The text catalogue, settings and feedback windows. Every member returns the text in the
// current language.
namespace corvelle::L {

std::string sectionGeneral();
std::string launchAtLogin();
std::string pollingInterval();
std::string maxProcesses();
std::string language();
std::string languageAuto();

std::string sectionMenuBar();
std::string showCPU();
std::string showTemperature();
std::string showBatteryTime();
std::string showBatteryPercentage();
std::string showThermalState();
// The offer of the GNOME Shell extension, its button, and how turning it on went.
std::string topBarOffer();
std::string showInTopBar();
std::string topBarOn();
std::string topBarRefused();

std::string sectionNotifications();
std::string energyAnomalyAlerts();
std::string thermalWarnings();
std::string lowBatteryAlert();
std::string batteryThreshold();

std::string sectionPrivacy();
std::string sendUsageData();
std::string sendUsageDataCaption();

std::string sectionUpdates();
// "Corvelle v" and the version.
std::string versionFootnote(const std::string& version);

std::string sectionCategory();
std::string categoryBug();
std::string categoryFeature();
std::string categoryGeneral();
std::string sectionMessage();
std::string messagePlaceholder();
// "n/1000".
std::string messageCounter(std::int64_t count);
std::string includeSystemInfo();
std::string includeSystemInfoCaption();
std::string feedbackThanks();
std::string feedbackFailed();
std::string sending();

}  // namespace corvelle::L
