#include "present/TipsContent.h"

#include "analysis/BatteryTipsEngine.h"
#include "localization/LTipsTab.h"

#include <algorithm>
#include <string_view>

namespace corvelle::TipsContent {

SystemColor tipColor(const BatteryTip& tip) {
    static constexpr std::string_view praise[] = {"great-efficiency", "healthy-range", "good-habits", "idle-efficiency"};
    if (std::find(std::begin(praise), std::end(praise), tip.id) != std::end(praise)) return SystemColor::green;
    switch (tip.severity) {
        case BatteryTip::Severity::info: return SystemColor::blue;
        case BatteryTip::Severity::warning: return SystemColor::orange;
        case BatteryTip::Severity::critical: break;
    }
    return SystemColor::red;
}

Content content(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                const std::optional<BatteryHealthPrediction>& prediction, const std::optional<HabitScore>& habitScore,
                BatteryTipsEngine::CareControls controls) {
    Content result;
    for (auto& tip : BatteryTipsEngine::generate(stats, profile, prediction, habitScore, controls)) {
        const SystemColor color = tipColor(tip);
        result.tips.push_back({std::move(tip.icon), color, std::move(tip.title), std::move(tip.detail)});
    }
    result.facts = DidYouKnowEngine::generate(stats, profile, prediction, habitScore, 3);
    return result;
}

const std::array<GuideGroup, 3>& quickGuide() {
    using E = Explainer;
    static const std::array<GuideGroup, 3> groups{{
        {L::guidePowerAndBattery,
         {E::watts, E::wattHours, E::batteryPercent, E::battHealth, E::cycleCount, E::charging, E::timeRemaining}},
        {L::guidePerformance, {E::cpu, E::eCore, E::pCore, E::memory, E::memPressure, E::process, E::energyImpact}},
        {L::guideTemperature, {E::temperature, E::thermal, E::throttling, E::fanRPM}},
    }};
    return groups;
}

bool guideShows(Explainer explainer, bool hybridCores) {
    return hybridCores || (explainer != Explainer::eCore && explainer != Explainer::pCore);
}

}  // namespace corvelle::TipsContent
