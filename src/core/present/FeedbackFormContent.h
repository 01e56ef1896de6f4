#pragma once

#include "present/FeedbackState.h"
#include "util/SystemColor.h"

#include <cstddef>
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
inline constexpr std::size_t feedbackMessageLimit = 1000;

// The form for a message of `characters` characters (as a reader counts them) in `state`;
// `canSubmit` says whether the message may be sent as it is.
FeedbackFormContent feedbackFormContent(std::size_t characters, bool canSubmit, FeedbackState state);

}  // namespace corvelle
