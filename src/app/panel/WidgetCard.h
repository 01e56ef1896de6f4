#pragma once

#include "present/WidgetCardContent.h"

#include <QFrame>

#include <functional>

class QAbstractButton;
class QLabel;

namespace corvelle {

// One pinned mini-widget of the status strip: icon and label, the main value in the widget's
// colour, and a detail line. While editing it carries a remove control.
class WidgetCard : public QFrame {
public:
    WidgetCard(PinnedWidget widget, const SystemStats& stats, bool isEditing, std::function<void()> onRemove,
               QWidget* parent = nullptr);

    void setStats(const SystemStats& stats);
    PinnedWidget widget() const { return widget_; }
    const WidgetCardContent& content() const { return content_; }
    // Present only while editing.
    QAbstractButton* removeButton() const { return removeButton_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Sets the symbols and colours too when `restyle`.
    void show(const WidgetCardContent& content, bool restyle);

    PinnedWidget widget_;
    WidgetCardContent content_;
    QLabel* icon_;
    QLabel* label_;
    QLabel* value_;
    QLabel* detail_;
    QAbstractButton* removeButton_ = nullptr;
};

}  // namespace corvelle
