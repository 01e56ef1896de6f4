#include "app/windows/FeedbackMessage.h"

#include <QTextBoundaryFinder>

namespace corvelle {
namespace {

constexpr auto messageLimit = static_cast<qsizetype>(feedbackMessageLimit);

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

}  // namespace

qsizetype feedbackCharacterCount(const QString& message) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, message);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0) ++count;
    return count;
}

QString feedbackLimited(const QString& message) {
    const qsizetype end = boundaryAfter(message, messageLimit);
    return end < 0 || end == message.size() ? message : message.left(end);
}

bool feedbackCanSubmit(const QString& message, FeedbackState state) {
    return state != FeedbackState::sending && !message.trimmed().isEmpty() &&
           feedbackCharacterCount(message) <= messageLimit;
}

FeedbackFormContent feedbackFormContent(const QString& message, FeedbackState state) {
    return feedbackFormContent(static_cast<std::size_t>(feedbackCharacterCount(message)),
                               feedbackCanSubmit(message, state), state);
}

}  // namespace corvelle
