#pragma once

#include <string>

// The text catalogue, the panel's tips tab: the card shown without tips, the facts and the quick guide.
namespace corvelle::L {

std::string allGoodTitle();
std::string allGoodDetail();
std::string didYouKnowTitle();
// Shown instead of the facts while there are none.
std::string stillLearning();
std::string quickGuideTitle();
std::string guidePowerAndBattery();
std::string guidePerformance();
std::string guideTemperature();

}  // namespace corvelle::L
