#include "app/views/FeedbackFormContent.h"

#include "localization/LShell.h"
#include "localization/LWindows.h"

#include <QTextBoundaryFinder>

namespace corvelle {
namespace {

// The position after the first `count` characters, or -1 when the text is shorter.
qsizetype boundaryAfter(const QString& text, qsizetype count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype position = 0;
    for (qsizetype seen = 0; seen < count; ++seen) {
        position = finder.toNextBoundary();
        if (position < 0) return -1;
    }
    return position;
}

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

qsizetype feedbackCharacterCount(const QString& message) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, message);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0) ++count;
    return count;
}

QString feedbackLimited(const QString& message) {
    const qsizetype end = boundaryAfter(message, feedbackMessageLimit);
    return end < 0 || end == message.size() ? message : message.left(end);
}

bool feedbackCanSubmit(const QString& message, FeedbackState state) {
    return state != FeedbackState::sending && !message.trimmed().isEmpty() &&
           feedbackCharacterCount(message) <= feedbackMessageLimit;
}

FeedbackFormContent feedbackFormContent(const QString& message, FeedbackState state) {
    FeedbackFormContent content;
    content.counter = L::messageCounter(feedbackCharacterCount(message));
    content.status = statusLine(state);
    content.canSubmit = feedbackCanSubmit(message, state);
    content.busy = state == FeedbackState::sending;
    if (!content.busy) content.buttonSymbol = "paperplane.fill";
    content.buttonText = content.busy ? L::sending() : L::feedbackWindowTitle();
    return content;
}

}  // namespace corvelle
