#include "app/views/FeedbackView.h"

namespace corvelle {

// The form arrives with the feedback window's own work; until then the window is empty.
FeedbackView::FeedbackView(SystemStats systemStats, QWidget* parent)
    : QWidget(parent), systemStats_(std::move(systemStats)) {}

}  // namespace corvelle
