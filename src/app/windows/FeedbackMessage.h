#pragma once

#include "present/FeedbackFormContent.h"

#include <QString>

namespace corvelle {

// Characters as a reader counts them: an accented letter or an emoji sequence is one.
qsizetype feedbackCharacterCount(const QString& message);
// The message's first 1000 characters when it holds more; otherwise the message itself.
// Cuts only between characters, never inside one.
QString feedbackLimited(const QString& message);
// Something besides white space and line breaks, at most 1000 characters, not already sending.
bool feedbackCanSubmit(const QString& message, FeedbackState state);

FeedbackFormContent feedbackFormContent(const QString& message, FeedbackState state);

}  // namespace corvelle
