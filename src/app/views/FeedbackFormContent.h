#pragma once

#include "app/views/FeedbackState.h"
#include "util/SystemColor.h"

#include <QString>

#include <optional>
#include <string>

namespace corvelle {

// What the feedback form shows for a message and a state: the counter, the status line and
// the send button's look.
struct FeedbackFormContent {
    struct StatusLine {
        std::string symbol;
        SystemColor color = SystemColor::green;
        std::string text;
        bool operator==(const StatusLine&) const = default;
    };

    std::string counter;
    std::optional<StatusLine> status;  // none while idle or sending
    bool canSubmit = false;
    bool busy = false;          // a progress indicator instead of the symbol
    std::string buttonSymbol;   // empty while busy
    std::string buttonText;

    bool operator==(const FeedbackFormContent&) const = default;
};

// The longest message, in characters.
inline constexpr qsizetype feedbackMessageLimit = 1000;

// Characters as a reader counts them: an accented letter or an emoji sequence is one.
qsizetype feedbackCharacterCount(const QString& message);
// The message's first 1000 characters when it holds more; otherwise the message itself.
// Cuts only between characters, never inside one.
QString feedbackLimited(const QString& message);
// Something besides white space and line breaks, at most 1000 characters, not already sending.
bool feedbackCanSubmit(const QString& message, FeedbackState state);

FeedbackFormContent feedbackFormContent(const QString& message, FeedbackState state);

}  // namespace corvelle
