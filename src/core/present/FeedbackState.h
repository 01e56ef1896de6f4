#pragma once

namespace corvelle {

// Where the feedback form is: nothing sent yet, waiting for the server, accepted, refused.
enum class FeedbackState { idle, sending, success, error };

}  // namespace corvelle
