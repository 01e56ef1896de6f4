#include "present/FeedbackFormContent.h"

#include "localization/LShell.h"
#include "localization/LWindows.h"

#include <cstdint>

namespace corvelle {
namespace {

std::optional<FeedbackFormContent::StatusLine> statusLine(FeedbackState state) {
    switch (state) {
        case FeedbackState::success: return {{"checkmark.circle.fill", SystemColor::green, L::feedbackThanks()}};
        case FeedbackState::error: return {{"exclamationmark.triangle.fill", SystemColor::red, L::feedbackFailed()}};
        case FeedbackState::idle:
        case FeedbackState::sending: break;
    }
    return std::nullopt;
}

}  // namespace

FeedbackFormContent feedbackFormContent(std::size_t characters, bool canSubmit, FeedbackState state) {
    FeedbackFormContent content;
    content.counter = L::messageCounter(static_cast<std::int64_t>(characters));
    content.status = statusLine(state);
    content.canSubmit = canSubmit;
    content.busy = state == FeedbackState::sending;
    if (!content.busy) content.buttonSymbol = "paperplane.fill";
    content.buttonText = content.busy ? L::sending() : L::feedbackWindowTitle();
    return content;
}

}  // namespace corvelle
