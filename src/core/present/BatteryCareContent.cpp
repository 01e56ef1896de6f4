#include "present/BatteryCareContent.h"

#include "care/ChargeLimitChoice.h"
#include "localization/LBatteryCare.h"

namespace corvelle::BatteryCareContent {
namespace {

// The outcome of the last request; an applied limit speaks for itself through the state line.
void describeOutcome(const Input& input, ChargeLimitPart& part) {
    if (input.applying) {
        part.message = L::chargeLimitApplying();
        return;
    }
    if (!input.lastResult) return;
    switch (input.lastResult->status) {
        case ChargeLimitStatus::applied:
        case ChargeLimitStatus::busy: return;
        case ChargeLimitStatus::notAuthorized:
            part.message = L::chargeLimitNotAuthorized();
            part.messageColor = SystemColor::orange;
            return;
        case ChargeLimitStatus::invalid:
        case ChargeLimitStatus::unsupported:
        case ChargeLimitStatus::failed:
            part.message = L::chargeLimitFailed(input.lastResult->detail);
            part.messageColor = SystemColor::red;
            return;
    }
}

ChargeLimitPart chargeLimitPart(const Input& input, const ChargeThresholds& thresholds) {
    ChargeLimitPart part;
    const auto preset = ChargeLimitChoice::presetOf(thresholds);
    for (int percent : ChargeLimitChoice::presets) {
        part.presets.push_back({std::to_string(percent), L::chargeLimitPreset(percent), preset == percent});
    }
    part.customChecked = !preset;
    part.customValue = thresholds.end.value_or(100);
    part.customMinimum = thresholds.start ? 2 : 1;
    // A start threshold of 0 means charging resumes at once: no start to tell.
    const auto start = thresholds.start.value_or(0) > 0 ? thresholds.start : std::nullopt;
    part.state = L::chargeLimitState(part.customValue, start);
    part.enabled = !input.applying;
    describeOutcome(input, part);
    return part;
}

}  // namespace

Content content(const Input& input) {
    Content content;
    if (input.thresholds && input.thresholds->supported()) {
        content.chargeLimit = chargeLimitPart(input, *input.thresholds);
    }
    for (const auto& profile : input.profiles) {
        content.powerModes.push_back({profile, L::powerModeName(profile), profile == input.activeProfile});
    }
    if (!content.chargeLimit && content.powerModes.empty()) content.unsupported = L::batteryCareUnsupported();
    return content;
}

}  // namespace corvelle::BatteryCareContent
