#pragma once

#include "analysis/BatteryTipsEngine.h"

#include "analysis/DidYouKnowEngine.h"
#include "model/BatteryHealthPrediction.h"
#include "model/BatteryTip.h"
#include "model/Explainer.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "util/SystemColor.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// What the tips tab shows, computed without any display: the live tips with their colours, the
// facts, and the quick guide's groups of explainers.
namespace corvelle::TipsContent {

// Green for the tips that praise (great-efficiency, healthy-range, good-habits, idle-efficiency);
// otherwise info blue, warning orange, critical red.
SystemColor tipColor(const BatteryTip& tip);

struct Tip {
    std::string icon;
    SystemColor color = SystemColor::blue;
    std::string title;
    std::string detail;
    bool operator==(const Tip&) const = default;
};
struct Content {
    std::vector<Tip> tips;  // none: the "All good!" card
    std::vector<DidYouKnowEngine::Fact> facts;  // none: the learning message
    bool operator==(const Content&) const = default;
};
// Runs the tips engine and the facts engine (three facts) once each. A snapshot without a
// battery reading counts as on external power. The tips point to the battery care controls
// the machine offers.
Content content(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                const std::optional<BatteryHealthPrediction>& prediction, const std::optional<HabitScore>& habitScore,
                BatteryTipsEngine::CareControls controls = {});

struct GuideGroup {
    std::string (*heading)();
    std::vector<Explainer> explainers;
};
// Power & battery, performance, temperature.
const std::array<GuideGroup, 3>& quickGuide();
// The efficiency and performance core entries only on a CPU with both kinds.
bool guideShows(Explainer explainer, bool hybridCores);

}  // namespace corvelle::TipsContent
