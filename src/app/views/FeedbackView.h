#pragma once

#include "model/SystemStats.h"

#include <QWidget>

namespace corvelle {

// The feedback window's content; it keeps the snapshot taken when the window opened.
class FeedbackView : public QWidget {
public:
    explicit FeedbackView(SystemStats systemStats, QWidget* parent = nullptr);

    const SystemStats& systemStats() const { return systemStats_; }

private:
    SystemStats systemStats_;
};

}  // namespace corvelle
